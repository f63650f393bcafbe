// The registry as far as the program uses it: the one key that lists the fonts a session starts
// with, opened, read and written by value name without regard to case; and the process's view
// of the system directory as a 32-bit program on 64-bit Windows has it (winsim::SetWow64).
#include <windows.h>

#include <cstring>
#include <string>

#include "sim_state.h"
#include "sim_text.h"

namespace {

using winsim::detail::Machine;

constexpr char FontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
HKEY const FontsKeyHandle = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x7A10));

std::string ValueKey(const char *name) {
  std::string key = name != nullptr ? name : "";
  for (char &c : key)
    c = static_cast<char>(winsim::detail::UpperCase(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
  Machine();
  if (hKey != HKEY_LOCAL_MACHINE || lpSubKey == nullptr ||
      !winsim::detail::EqualIgnoringCase(lpSubKey, FontsKey))
    return ERROR_FILE_NOT_FOUND;
  *phkResult = FontsKeyHandle;
  return ERROR_SUCCESS;
}

LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData) {
  winsim::detail::State &state = Machine();
  if (hKey != FontsKeyHandle) return ERROR_INVALID_HANDLE;
  auto found = state.fontValues.find(ValueKey(lpValueName));
  if (found == state.fontValues.end()) return ERROR_FILE_NOT_FOUND;
  const std::string &text = found->second.second;
  DWORD needed = static_cast<DWORD>(text.size() + 1);
  if (lpType != nullptr) *lpType = REG_SZ;
  if (lpData == nullptr) {
    if (lpcbData != nullptr) *lpcbData = needed;
    return ERROR_SUCCESS;
  }
  DWORD room = lpcbData != nullptr ? *lpcbData : 0;
  if (lpcbData != nullptr) *lpcbData = needed;
  if (room < needed) return ERROR_MORE_DATA;
  std::memcpy(lpData, text.c_str(), needed);
  return ERROR_SUCCESS;
}

LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE *lpData,
                           DWORD cbData) {
  winsim::detail::State &state = Machine();
  if (hKey != FontsKeyHandle) return ERROR_INVALID_HANDLE;
  if (dwType != REG_SZ) winsim::detail::Unsupported("RegSetValueExA of another type than REG_SZ");
  if (state.failRegistryWrite.Fire()) return ERROR_ACCESS_DENIED;
  std::string text(reinterpret_cast<const char *>(lpData), cbData);
  text = text.c_str();  // the data ends at its NUL
  state.fontValues[ValueKey(lpValueName)] = {lpValueName, text};
  return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY hKey) {
  Machine();
  return hKey == FontsKeyHandle ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

HANDLE WINAPI GetCurrentProcess(void) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}

BOOL WINAPI IsWow64Process(HANDLE, PBOOL Wow64Process) {
  *Wow64Process = Machine().wow64 ? TRUE : FALSE;
  return TRUE;
}

// Answers in every process, as on 64-bit Windows: the caller must ask IsWow64Process first.
UINT WINAPI GetSystemWow64DirectoryA(LPSTR lpBuffer, UINT uSize) {
  const std::string &dir = Machine().wow64SystemDir;
  if (dir.size() + 1 > uSize) return static_cast<UINT>(dir.size() + 1);
  std::memcpy(lpBuffer, dir.c_str(), dir.size() + 1);
  return static_cast<UINT>(dir.size());
}
