// Whole files on the machine's drive, for winsim's own calls that read or write a file in one go
// (the profile, font resources) and for the tests' drive calls of sim.h, which see the same files
// whichever backing the machine has.
#include "sim_drive.h"

#include "sim_paths.h"
#include "sim_state.h"

namespace winsim::detail {

Drive &TheDrive() {
  return *Machine().drive;
}

bool Drive::ReadAll(const std::string &path, std::string *bytes) {
  int handle = Open(path, DriveAccess::Read, DriveCreation::Existing);
  if (handle < 0) return false;
  char buffer[16384];
  long got;
  while ((got = Read(handle, buffer, sizeof buffer)) > 0)
    bytes->append(buffer, static_cast<size_t>(got));
  Close(handle);
  return got == 0;
}

bool ReadWholeFile(const std::string &path, std::string *bytes) {
  return TheDrive().ReadAll(path, bytes);
}

bool WriteWholeFile(const std::string &path, const std::string &bytes, DriveCreation creation) {
  Drive &drive = TheDrive();
  int handle = drive.Open(path, DriveAccess::Write, creation);
  if (handle < 0) return false;
  bool written = drive.Write(handle, bytes.data(), bytes.size()) == static_cast<long>(bytes.size());
  return drive.Close(handle) && written;
}

namespace {

// The drive path of an existing directory, or false.
bool LocateDirectory(const std::string &winDir, std::string *path) {
  bool exists = false;
  DriveEntry entry;
  return LocateFile(winDir, path, &exists) == ERROR_SUCCESS && exists &&
         TheDrive().Stat(*path, &entry) && entry.directory;
}

std::vector<std::string> FileNamesAt(const std::string &dir) {
  std::vector<std::string> names;
  std::vector<std::string> files;
  TheDrive().List(dir, &names);
  for (const std::string &name : names) {
    DriveEntry entry;
    if (TheDrive().Stat(dir + "/" + name, &entry) && !entry.directory) files.push_back(name);
  }
  return files;
}

}  // namespace

}  // namespace winsim::detail

namespace winsim {

bool WriteDriveFile(const std::string &winPath, const std::string &bytes) {
  std::string path;
  bool exists = false;
  detail::DriveEntry entry;
  if (detail::LocateFile(winPath, &path, &exists) != ERROR_SUCCESS) return false;
  if (exists && detail::TheDrive().Stat(path, &entry) && entry.directory) return false;
  return detail::WriteWholeFile(path, bytes, detail::DriveCreation::Replace);
}

bool ReadDriveFile(const std::string &winPath, std::string *bytes) {
  std::string path;
  bool exists = false;
  detail::DriveEntry entry;
  bytes->clear();
  if (detail::LocateFile(winPath, &path, &exists) != ERROR_SUCCESS || !exists ||
      !detail::TheDrive().Stat(path, &entry) || entry.directory) {
    return false;
  }
  return detail::ReadWholeFile(path, bytes);
}

std::vector<std::string> DriveFileNames(const std::string &winDir) {
  std::string dir;
  if (!detail::LocateDirectory(winDir, &dir)) return {};
  return detail::FileNamesAt(dir);
}

std::map<std::string, std::string> DriveFiles(const std::string &winDir) {
  std::map<std::string, std::string> files;
  std::string dir;
  if (!detail::LocateDirectory(winDir, &dir)) return files;
  for (const std::string &name : detail::FileNamesAt(dir)) {
    detail::ReadWholeFile(dir + "/" + name, &files[name]);
  }
  return files;
}

}  // namespace winsim
