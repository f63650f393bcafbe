// The program's own module and the machine's directories: GetModuleFileNameA,
// GetModuleHandleA, GetWindowsDirectoryA, GetSystemDirectoryA, and the thread's last error.
#include "sim_state.h"

#include <cstring>

namespace {

// The single module: an address like a real image base, never dereferenced.
HINSTANCE const moduleHandle = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));

// Windows' rule for the directory queries: the length without the NUL when the buffer holds
// the text and its NUL, else the size needed including the NUL, with the buffer left alone.
UINT CopyDirectory(const std::string &text, LPSTR buffer, UINT size) {
  if (text.size() + 1 > size) return static_cast<UINT>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<UINT>(text.size());
}

}  // namespace

namespace winsim {
HINSTANCE ModuleHandle() {
  return moduleHandle;
}
}  // namespace winsim

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  winsim::detail::State &state = winsim::detail::Machine();
  if (hModule != nullptr && hModule != moduleHandle) {
    state.lastError = 126;  // ERROR_MOD_NOT_FOUND
    return 0;
  }
  const std::string &path = state.modulePath;
  if (path.size() + 1 <= nSize) {
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    state.lastError = ERROR_SUCCESS;
    return static_cast<DWORD>(path.size());
  }
  // Too long: all nSize bytes are filled and no NUL is written, as on Windows XP and later.
  std::memcpy(lpFilename, path.c_str(), nSize);
  state.lastError = ERROR_INSUFFICIENT_BUFFER;
  return nSize;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  winsim::detail::Machine();
  if (lpModuleName != nullptr) winsim::detail::Unsupported("GetModuleHandleA with a module name");
  return moduleHandle;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  return CopyDirectory(winsim::detail::Machine().windowsDir, lpBuffer, uSize);
}

UINT WINAPI GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
  return CopyDirectory(winsim::detail::Machine().systemDir, lpBuffer, uSize);
}

DWORD WINAPI GetLastError(void) {
  return winsim::detail::Machine().lastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
  winsim::detail::Machine().lastError = dwErrCode;
}
