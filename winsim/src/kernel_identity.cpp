// File identity: CreateFileA opens an existing file for no access but a query, and
// GetFileInformationByHandle reports its volume and file index, taken from the drive (a host
// file's device and inode), so that two Windows paths naming one file compare equal.
#include <windows.h>

#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          void *lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  winsim::detail::State &state = winsim::detail::Machine();
  // Only what a query of the file's identity needs: no access, an existing file.
  if (dwDesiredAccess != 0) winsim::detail::Unsupported("CreateFileA with access rights");
  if (dwCreationDisposition != OPEN_EXISTING) {
    winsim::detail::Unsupported("CreateFileA without OPEN_EXISTING");
  }
  if (lpSecurityAttributes != NULL || hTemplateFile != NULL) {
    winsim::detail::Unsupported("CreateFileA with security attributes or a template");
  }
  (void)dwShareMode;
  (void)dwFlagsAndAttributes;
  winsim::detail::DriveEntry info;
  std::string path = winsim::detail::DrivePath(winsim::FullPath(lpFileName));
  if (!winsim::detail::TheDrive().Stat(path, &info) || info.directory) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  uintptr_t handle = state.nextIdentity;
  state.nextIdentity += 4;
  state.identities[handle] = info;
  SetLastError(ERROR_SUCCESS);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                       LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  winsim::detail::State &state = winsim::detail::Machine();
  auto found = state.identities.find(reinterpret_cast<uintptr_t>(hFile));
  if (found == state.identities.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const winsim::detail::DriveEntry &info = found->second;
  BY_HANDLE_FILE_INFORMATION result = {};
  result.dwFileAttributes = info.readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
  result.dwVolumeSerialNumber = static_cast<DWORD>(info.volume);
  result.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
  result.nFileSizeLow = static_cast<DWORD>(info.size);
  result.nNumberOfLinks = static_cast<DWORD>(info.links);
  unsigned long long index = info.index;
  result.nFileIndexHigh = static_cast<DWORD>(index >> 32);
  result.nFileIndexLow = static_cast<DWORD>(index);
  *lpFileInformation = result;
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
  if (winsim::detail::Machine().identities.erase(reinterpret_cast<uintptr_t>(hObject)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
