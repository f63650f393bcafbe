// Files by name: DeleteFileA and the attributes, read-only being on a host folder the file's
// owner write permission.
#include <windows.h>

#include <string>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "sim_text.h"

namespace {

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
