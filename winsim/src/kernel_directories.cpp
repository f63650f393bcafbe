// Files and directories by name: CreateDirectoryA, RemoveDirectoryA, DeleteFileA, the
// read-only attribute (on a host folder, the file's owner write permission) and the current
// directory.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "sim_text.h"

namespace {

constexpr DWORD ErrorDirectory = 267;  // ERROR_DIRECTORY: the name is not a directory

using winsim::detail::SetError;

// Locates a name that must exist; sets the error and returns false otherwise.
bool LocateExisting(LPCSTR name, std::string *host) {
  bool exists = false;
  DWORD error = winsim::detail::LocateFile(name, host, &exists);
  if (error == ERROR_SUCCESS && !exists) error = ERROR_FILE_NOT_FOUND;
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return false;
  }
  return true;
}

bool IsEmptyDirectory(const std::string &host) {
  std::vector<std::string> names;
  return winsim::detail::TheDrive().List(host, &names) && names.empty();
}

}  // namespace

namespace winsim::detail {

// Deletes a file as DeleteFileA does; shared with OpenFile's OF_DELETE.
bool DeleteDriveFile(const std::string &host) {
  if (IsDirectoryOnDrive(host) || IsReadOnlyOnDrive(host)) {
    SetError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (IsOpenOnDrive(host)) {
    SetError(ERROR_SHARING_VIOLATION);
    return false;
  }
  if (!TheDrive().Unlink(host)) {
    SetError(ERROR_ACCESS_DENIED);
    return false;
  }
  SetError(ERROR_SUCCESS);
  return true;
}

}  // namespace winsim::detail

using winsim::detail::Unsupported;

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, void *lpSecurityAttributes) {
  if (lpSecurityAttributes != nullptr) Unsupported("CreateDirectoryA with security attributes");
  std::string host;
  bool exists = false;
  DWORD error = winsim::detail::LocateFile(lpPathName, &host, &exists);
  if (error == ERROR_SUCCESS && exists) error = ERROR_ALREADY_EXISTS;
  if (error == ERROR_SUCCESS && !winsim::detail::TheDrive().MakeDirectory(host))
    error = ERROR_ACCESS_DENIED;
  SetError(error);
  return error == ERROR_SUCCESS;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
  std::string host;
  if (!LocateExisting(lpPathName, &host)) return FALSE;
  std::string current;
  bool ignored = false;
  winsim::detail::LocateFile(winsim::detail::Machine().currentDir, &current, &ignored);
  DWORD error = ERROR_SUCCESS;
  if (!winsim::detail::IsDirectoryOnDrive(host)) {
    error = ErrorDirectory;
  } else if (!IsEmptyDirectory(host)) {
    error = ERROR_DIR_NOT_EMPTY;
  } else if (host == current) {
    error = ERROR_SHARING_VIOLATION;  // a process's current directory is in use
  } else if (!winsim::detail::TheDrive().RemoveDirectory(host)) {
    error = ERROR_ACCESS_DENIED;
  }
  SetError(error);
  return error == ERROR_SUCCESS;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  std::string host;
  if (!LocateExisting(lpFileName, &host)) return FALSE;
  return winsim::detail::DeleteDriveFile(host);
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  std::string host;
  if (!LocateExisting(lpFileName, &host)) return INVALID_FILE_ATTRIBUTES;
  SetError(ERROR_SUCCESS);
  if (winsim::detail::IsDirectoryOnDrive(host)) return FILE_ATTRIBUTE_DIRECTORY;
  // Windows marks every file written since the last backup with the archive bit.
  return FILE_ATTRIBUTE_ARCHIVE |
         (winsim::detail::IsReadOnlyOnDrive(host) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
  constexpr DWORD known = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;
  if ((dwFileAttributes & ~known) != 0) {
    Unsupported("SetFileAttributesA with attributes other than read-only, archive and normal");
  }
  std::string host;
  if (!LocateExisting(lpFileName, &host)) return FALSE;
  if (winsim::detail::IsDirectoryOnDrive(host)) {
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY) Unsupported("a read-only directory");
    SetError(ERROR_SUCCESS);
    return TRUE;
  }
  if (!winsim::detail::TheDrive().SetReadOnly(host,
                                              (dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)) {
    SetError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SetError(ERROR_SUCCESS);
  return TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  const std::string &dir = winsim::detail::Machine().currentDir;
  if (dir.size() + 1 > nBufferLength) return static_cast<DWORD>(dir.size() + 1);
  std::memcpy(lpBuffer, dir.c_str(), dir.size() + 1);
  return static_cast<DWORD>(dir.size());
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
  std::string host;
  if (!LocateExisting(lpPathName, &host)) return FALSE;
  if (!winsim::detail::IsDirectoryOnDrive(host)) {
    SetError(ErrorDirectory);
    return FALSE;
  }
  winsim::detail::QualifyPath(lpPathName, &winsim::detail::Machine().currentDir);
  SetError(ERROR_SUCCESS);
  return TRUE;
}
