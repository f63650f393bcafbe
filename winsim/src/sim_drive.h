// Where drive C:'s files are kept: a host folder (the default, which a test can look into) or a
// tree in memory (for the fuzzer, whose cases each lay out and remove a whole drive). The file,
// directory, profile and font calls reach their bytes only through this interface, so both keep
// the same names, case rules, attributes, sizes and faults; only the storage differs.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace winsim::detail {

// What is at a drive path: the host's stat, or the memory tree's node.
struct DriveEntry {
  bool directory = false;
  bool readOnly = false;
  unsigned long long size = 0;
  unsigned long long volume = 0;  // with index: the same two for the same file
  unsigned long long index = 0;
  unsigned long links = 1;
};

enum class DriveAccess { Read, Write, ReadWrite };
// Existing: the file must be there. Replace: created, or cut to nothing. New: created, and
// refused when something is there.
enum class DriveCreation { Existing, Replace, New };

// A drive path is the root's path followed by "/" and each component as stored; LocateFile
// (sim_paths.h) makes them. Each call works as its POSIX namesake does on a host folder.
class Drive {
 public:
  virtual ~Drive() = default;
  virtual bool Stat(const std::string &path, DriveEntry *entry) = 0;
  // Whether a name of exactly this spelling is there (a dangling link counts, as lstat sees it).
  virtual bool HasEntry(const std::string &path) = 0;
  // The names in a directory, without "." and ".."; false when it cannot be listed.
  virtual bool List(const std::string &dir, std::vector<std::string> *names) = 0;
  virtual bool MakeDirectory(const std::string &path) = 0;
  virtual bool RemoveDirectory(const std::string &path) = 0;  // an empty one
  virtual bool Unlink(const std::string &path) = 0;
  virtual bool SetReadOnly(const std::string &path, bool readOnly) = 0;
  virtual bool Copy(const std::string &source, const std::string &destination) = 0;

  // Open files: a handle of 0 or more, or -1. Read and Write return the count moved or -1;
  // Seek takes SEEK_SET, SEEK_CUR or SEEK_END and returns the new position or -1; Truncate cuts
  // the file at the handle's position.
  virtual int Open(const std::string &path, DriveAccess access, DriveCreation creation) = 0;
  virtual long Read(int handle, void *buffer, size_t bytes) = 0;
  virtual long Write(int handle, const void *buffer, size_t bytes) = 0;
  virtual long long Seek(int handle, long long offset, int origin) = 0;
  virtual bool Truncate(int handle) = 0;
  virtual bool Close(int handle) = 0;

  // Appends a whole file's bytes; by default through Open and Read.
  virtual bool ReadAll(const std::string &path, std::string *bytes);
};

std::unique_ptr<Drive> MakeHostDrive();
std::unique_ptr<Drive> MakeMemoryDrive();

// The live machine's drive.
Drive &TheDrive();
// A whole file's bytes, read (appended to *bytes) or written in one go.
bool ReadWholeFile(const std::string &path, std::string *bytes);
bool WriteWholeFile(const std::string &path, const std::string &bytes, DriveCreation creation);

}  // namespace winsim::detail
