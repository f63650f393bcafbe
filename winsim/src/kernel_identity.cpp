// File identity: CreateFileA opens an existing file for no access but a query, and
// GetFileInformationByHandle reports its volume and file index, taken from the drive (a host
// file's device and inode), so that two Windows paths naming one file compare equal.
#include <windows.h>

#include <map>

#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "winsim/identity_sim.h"

namespace {

#ifndef ERROR_INVALID_HANDLE
constexpr DWORD ErrorInvalidHandle = 6;
#else
constexpr DWORD ErrorInvalidHandle = ERROR_INVALID_HANDLE;
#endif

struct OpenedFile {
  winsim::detail::DriveEntry info;
};

std::map<ULONG_PTR, OpenedFile> handles;
ULONG_PTR nextHandle = 0x5000;

void ForgetHandles() {
  handles.clear();
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          void *lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  winsim::detail::Machine();
  winsim::detail::AddResetHook(ForgetHandles);
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
  OpenedFile file;
  std::string path = winsim::detail::DrivePath(winsim::FullPath(lpFileName));
  if (!winsim::detail::TheDrive().Stat(path, &file.info) || file.info.directory) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  ULONG_PTR handle = nextHandle;
  nextHandle += 4;
  handles[handle] = file;
  SetLastError(ERROR_SUCCESS);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                       LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  winsim::detail::Machine();
  auto found = handles.find(reinterpret_cast<ULONG_PTR>(hFile));
  if (found == handles.end()) {
    SetLastError(ErrorInvalidHandle);
    return FALSE;
  }
  const winsim::detail::DriveEntry &info = found->second.info;
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
  winsim::detail::Machine();
  if (handles.erase(reinterpret_cast<ULONG_PTR>(hObject)) == 0) {
    SetLastError(ErrorInvalidHandle);
    return FALSE;
  }
  return TRUE;
}

namespace winsim {

int OpenIdentityHandles() {
  return static_cast<int>(handles.size());
}

}  // namespace winsim
