// The handle-based file calls: _lopen, _lcreat, _lread, _lwrite, _llseek and _lclose over the
// drive's files, with the injected faults of sim.h (failed opens, creates and closes, short reads
// and writes) and a count of open handles.
#include <windows.h>

#include <cstdio>

#include <algorithm>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "sim_text.h"

namespace winsim::detail {
namespace {

constexpr int AccessMask = 0x0003;
constexpr int ShareMask = 0x0070;

std::string UpperPath(const std::string &name) {
  std::string full;
  if (!QualifyPath(name, &full)) return "";
  for (char &c : full) c = static_cast<char>(UpperCase(static_cast<unsigned char>(c)));
  return full;
}

bool FaultFires(std::vector<PathTrigger> &faults, const std::string &path) {
  bool fires = false;
  for (PathTrigger &fault : faults) {
    if (fault.path == path && fault.trigger.Fire()) fires = true;
  }
  return fires;
}

HFILE AddHandle(int fd, const std::string &path, const std::string &host, bool read, bool write) {
  State &state = Machine();
  FileHandle handle;
  handle.fd = fd;
  handle.path = path;
  handle.host = host;
  handle.canRead = read;
  handle.canWrite = write;
  int value = state.nextFile;
  state.nextFile += 4;
  state.files[value] = handle;
  return value;
}

FileHandle *FindHandle(HFILE hFile) {
  State &state = Machine();
  auto found = state.files.find(hFile);
  if (found == state.files.end()) {
    state.invalidHandleUses++;
    SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &found->second;
}

}  // namespace

bool IsReadOnlyOnDrive(const std::string &host) {
  DriveEntry entry;
  return TheDrive().Stat(host, &entry) && entry.readOnly;
}

bool IsDirectoryOnDrive(const std::string &host) {
  DriveEntry entry;
  return TheDrive().Stat(host, &entry) && entry.directory;
}

bool IsOpenOnDrive(const std::string &host) {
  for (const auto &file : Machine().files) {
    if (file.second.host == host) return true;
  }
  return false;
}

}  // namespace winsim::detail

using namespace winsim::detail;

HFILE WINAPI _lopen(LPCSTR lpPathName, int iReadWrite) {
  State &state = Machine();
  int access = iReadWrite & AccessMask;
  int share = iReadWrite & ShareMask;
  if (access == 3 || (iReadWrite & ~(AccessMask | ShareMask)) != 0) {
    Unsupported("_lopen with a mode other than OF_READ, OF_WRITE or OF_READWRITE");
  }
  // Sharing is not modelled, so only the modes that let every other opener in are taken.
  if (share != 0 && share != OF_SHARE_DENY_NONE) Unsupported("_lopen with a deny-sharing mode");
  if (FileCallFails(winsim::FileCall::Open)) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  std::string host;
  bool exists = false;
  DWORD error = LocateFile(lpPathName, &host, &exists);
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return HFILE_ERROR;
  }
  std::string path = UpperPath(lpPathName);
  if (FaultFires(state.failOpen, path)) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  if (!exists) {
    SetError(ERROR_FILE_NOT_FOUND);
    return HFILE_ERROR;
  }
  if (IsDirectoryOnDrive(host) || (access != OF_READ && IsReadOnlyOnDrive(host))) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  DriveAccess mode = access == OF_READ    ? DriveAccess::Read
                     : access == OF_WRITE ? DriveAccess::Write
                                          : DriveAccess::ReadWrite;
  int fd = TheDrive().Open(host, mode, DriveCreation::Existing);
  if (fd < 0) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  SetError(ERROR_SUCCESS);
  return AddHandle(fd, path, host, access != OF_WRITE, access != OF_READ);
}

HFILE WINAPI _lcreat(LPCSTR lpPathName, int iAttribute) {
  State &state = Machine();
  if (iAttribute != 0) Unsupported("_lcreat with attributes other than 0 (normal)");
  if (FileCallFails(winsim::FileCall::Create)) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  std::string host;
  bool exists = false;
  DWORD error = LocateFile(lpPathName, &host, &exists);
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return HFILE_ERROR;
  }
  if (FaultFires(state.failCreate, UpperPath(lpPathName))) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  // A read-only file is refused, as Windows refuses it (Wine run by root does not).
  if (exists && (IsDirectoryOnDrive(host) || IsReadOnlyOnDrive(host))) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  int fd = TheDrive().Open(host, DriveAccess::ReadWrite, DriveCreation::Replace);
  if (fd < 0) {
    SetError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  SetError(exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return AddHandle(fd, UpperPath(lpPathName), host, true, true);
}

UINT WINAPI _lread(HFILE hFile, LPVOID lpBuffer, UINT uBytes) {
  FileHandle *file = FindHandle(hFile);
  if (file == nullptr) return static_cast<UINT>(HFILE_ERROR);
  if (!file->canRead) {
    SetError(ERROR_ACCESS_DENIED);
    return static_cast<UINT>(HFILE_ERROR);
  }
  size_t wanted = uBytes;
  if (FileCallFails(winsim::FileCall::Read)) wanted /= 2;
  auto limit = Machine().readLimits.find(file->path);
  if (limit != Machine().readLimits.end()) {
    wanted = std::min(wanted, limit->second - std::min(limit->second, file->readBytes));
  }
  size_t done = 0;
  char *out = static_cast<char *>(lpBuffer);
  while (done < wanted) {
    long got = TheDrive().Read(file->fd, out + done, wanted - done);
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  file->readBytes += done;
  SetError(ERROR_SUCCESS);
  return static_cast<UINT>(done);
}

UINT WINAPI _lwrite(HFILE hFile, LPCCH lpBuffer, UINT uBytes) {
  FileHandle *file = FindHandle(hFile);
  if (file == nullptr) return static_cast<UINT>(HFILE_ERROR);
  if (!file->canWrite) {
    SetError(ERROR_ACCESS_DENIED);
    return static_cast<UINT>(HFILE_ERROR);
  }
  if (uBytes == 0) {
    // Writing nothing cuts the file off at the current position.
    if (!TheDrive().Truncate(file->fd)) {
      SetError(ERROR_ACCESS_DENIED);
      return static_cast<UINT>(HFILE_ERROR);
    }
    return 0;
  }
  size_t allowed = uBytes;
  if (FileCallFails(winsim::FileCall::Write)) {
    allowed /= 2;
    if (allowed == 0) {
      SetError(ERROR_DISK_FULL);
      return static_cast<UINT>(HFILE_ERROR);
    }
  }
  auto limit = Machine().writeLimits.find(file->path);
  if (limit != Machine().writeLimits.end()) {
    allowed = std::min(allowed, limit->second - std::min(limit->second, file->writtenBytes));
    if (allowed == 0) {
      SetError(ERROR_DISK_FULL);
      return static_cast<UINT>(HFILE_ERROR);
    }
  }
  size_t done = 0;
  while (done < allowed) {
    long put = TheDrive().Write(file->fd, lpBuffer + done, allowed - done);
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  file->writtenBytes += done;
  SetError(done < uBytes ? ERROR_DISK_FULL : ERROR_SUCCESS);
  return static_cast<UINT>(done);
}

LONG WINAPI _llseek(HFILE hFile, LONG lOffset, int iOrigin) {
  FileHandle *file = FindHandle(hFile);
  if (file == nullptr) return HFILE_ERROR;
  if (iOrigin < FILE_BEGIN || iOrigin > FILE_END) Unsupported("_llseek with an unknown origin");
  long long base = 0;
  if (iOrigin == FILE_CURRENT) base = TheDrive().Seek(file->fd, 0, SEEK_CUR);
  if (iOrigin == FILE_END) base = TheDrive().Seek(file->fd, 0, SEEK_END);
  long long target = base + lOffset;
  if (target < 0) {
    SetError(ERROR_NEGATIVE_SEEK);
    return HFILE_ERROR;
  }
  if (target > 0x7FFFFFFFLL) Unsupported("_llseek beyond 2 GiB");
  TheDrive().Seek(file->fd, target, SEEK_SET);
  return static_cast<LONG>(target);
}

HFILE WINAPI _lclose(HFILE hFile) {
  FileHandle *file = FindHandle(hFile);
  if (file == nullptr) return HFILE_ERROR;
  State &state = Machine();
  bool fails = std::find(state.failClose.begin(), state.failClose.end(), file->path) !=
               state.failClose.end();
  if (FileCallFails(winsim::FileCall::Close)) fails = true;
  TheDrive().Close(file->fd);
  state.files.erase(hFile);
  if (fails) {
    // The handle is gone all the same; what was written stays written.
    SetError(ERROR_DISK_FULL);
    return HFILE_ERROR;
  }
  return 0;
}
