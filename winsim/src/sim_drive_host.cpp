// Drive C: as a host folder: each drive call is the POSIX call of the same name, and read-only is
// the file's owner write permission.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "sim_drive.h"

namespace winsim::detail {
namespace {

class HostDrive : public Drive {
 public:
  bool Stat(const std::string &path, DriveEntry *entry) override {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    entry->directory = S_ISDIR(info.st_mode);
    entry->readOnly = (info.st_mode & S_IWUSR) == 0;
    entry->size = static_cast<unsigned long long>(info.st_size);
    entry->volume = static_cast<unsigned long long>(info.st_dev);
    entry->index = static_cast<unsigned long long>(info.st_ino);
    entry->links = static_cast<unsigned long>(info.st_nlink);
    return true;
  }

  bool HasEntry(const std::string &path) override {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
  }

  bool List(const std::string &dir, std::vector<std::string> *names) override {
    DIR *folder = opendir(dir.c_str());
    if (folder == nullptr) return false;
    while (struct dirent *entry = readdir(folder)) {
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
        names->push_back(entry->d_name);
      }
    }
    closedir(folder);
    return true;
  }

  bool MakeDirectory(const std::string &path) override { return mkdir(path.c_str(), 0777) == 0; }
  bool RemoveDirectory(const std::string &path) override { return rmdir(path.c_str()) == 0; }
  bool Unlink(const std::string &path) override { return unlink(path.c_str()) == 0; }

  bool SetReadOnly(const std::string &path, bool readOnly) override {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    mode_t mode = info.st_mode & 07777;
    mode = readOnly ? (mode & ~0222) : (mode | S_IWUSR);
    return chmod(path.c_str(), mode) == 0;
  }

  // The system's own copy (the kernel's in-place copy where it has one), as CopyFileA is.
  bool Copy(const std::string &source, const std::string &destination) override {
    std::error_code failure;
    std::filesystem::copy_file(source, destination,
                               std::filesystem::copy_options::overwrite_existing, failure);
    return !failure;
  }

  int Open(const std::string &path, DriveAccess access, DriveCreation creation) override {
    int flags = access == DriveAccess::Read    ? O_RDONLY
                : access == DriveAccess::Write ? O_WRONLY
                                               : O_RDWR;
    if (creation == DriveCreation::Replace) flags |= O_CREAT | O_TRUNC;
    if (creation == DriveCreation::New) flags |= O_CREAT | O_EXCL;
    return open(path.c_str(), flags | O_CLOEXEC, 0666);
  }

  long Read(int handle, void *buffer, size_t bytes) override {
    ssize_t got;
    do {
      got = read(handle, buffer, bytes);
    } while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
  }

  long Write(int handle, const void *buffer, size_t bytes) override {
    ssize_t put;
    do {
      put = write(handle, buffer, bytes);
    } while (put < 0 && errno == EINTR);
    return static_cast<long>(put);
  }

  long long Seek(int handle, long long offset, int origin) override {
    return static_cast<long long>(lseek(handle, static_cast<off_t>(offset), origin));
  }

  bool Truncate(int handle) override {
    off_t here = lseek(handle, 0, SEEK_CUR);
    return here >= 0 && ftruncate(handle, here) == 0;
  }

  bool Close(int handle) override { return close(handle) == 0; }
};

}  // namespace

std::unique_ptr<Drive> MakeHostDrive() {
  return std::make_unique<HostDrive>();
}

}  // namespace winsim::detail
