// OpenFile, for the two modes the program uses: OF_PARSE, which only fills in the fully
// qualified name, and OF_DELETE, which deletes the file the name finds; and GetFullPathNameA,
// the qualification that OF_PARSE reports.
#include <windows.h>

#include <cstring>

#include "kernel_files.h"
#include "sim_paths.h"
#include "sim_state.h"

namespace {

constexpr UINT ShareMask = 0x0070;

using winsim::detail::Machine;
using winsim::detail::SetError;

bool IsFullyQualified(LPCSTR name) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (name[0] != 0 && name[1] == ':' && separator(name[2])) return true;
  return separator(name[0]) && separator(name[1]);
}

HFILE Fail(LPOFSTRUCT ofs) {
  ofs->nErrCode = static_cast<WORD>(Machine().lastError);
  return HFILE_ERROR;
}

// Qualifies the name into szPathName; false (with the error set) when it cannot be parsed or
// the qualified name does not fit the structure's 128 characters.
bool Qualify(LPCSTR name, LPOFSTRUCT ofs, std::string *full) {
  if (!winsim::detail::QualifyPath(name, full)) return false;
  if (full->size() >= OFS_MAXPATHNAME) {
    SetError(ERROR_INVALID_DATA);
    return false;
  }
  std::memcpy(ofs->szPathName, full->c_str(), full->size() + 1);
  return true;
}

HFILE Delete(LPCSTR name, LPOFSTRUCT ofs) {
  if (!IsFullyQualified(name)) {
    winsim::detail::Unsupported("OpenFile(OF_DELETE) of a name that is searched along the path");
  }
  std::string full;
  if (!Qualify(name, ofs, &full)) return Fail(ofs);
  if (winsim::detail::FileCallFails(winsim::FileCall::Delete)) {
    SetError(ERROR_ACCESS_DENIED);
    return Fail(ofs);
  }
  std::string host;
  bool exists = false;
  DWORD error = winsim::detail::LocateFile(full, &host, &exists);
  // The file is searched for first: whatever keeps it from being found reads as not found.
  if (error == ERROR_PATH_NOT_FOUND || (error == ERROR_SUCCESS && !exists)) {
    error = ERROR_FILE_NOT_FOUND;
  }
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return Fail(ofs);
  }
  if (!winsim::detail::DeleteDriveFile(host)) return Fail(ofs);
  return TRUE;
}

}  // namespace

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                              LPSTR *lpFilePart) {
  Machine();
  if (lpFileName == nullptr) winsim::detail::Unsupported("GetFullPathNameA without a name");
  std::string full;
  if (!winsim::detail::QualifyPath(lpFileName, &full)) return 0;
  // Too small a buffer: the size it would need, terminator included, and nothing written.
  if (full.size() >= nBufferLength) return static_cast<DWORD>(full.size() + 1);
  std::memcpy(lpBuffer, full.c_str(), full.size() + 1);
  if (lpFilePart != nullptr) {
    size_t cut = full.find_last_of('\\');
    *lpFilePart = cut == std::string::npos || cut + 1 == full.size() ? nullptr : lpBuffer + cut + 1;
  }
  return static_cast<DWORD>(full.size());
}

HFILE WINAPI OpenFile(LPCSTR lpFileName, LPOFSTRUCT lpReOpenBuff, UINT uStyle) {
  Machine();
  if (lpReOpenBuff == nullptr || lpFileName == nullptr) {
    winsim::detail::Unsupported("OpenFile without a name or an OFSTRUCT");
  }
  lpReOpenBuff->cBytes = sizeof(OFSTRUCT);
  lpReOpenBuff->nErrCode = 0;
  UINT mode = uStyle & ~ShareMask;
  if (mode == OF_PARSE) {
    std::string full;
    if (!Qualify(lpFileName, lpReOpenBuff, &full)) return Fail(lpReOpenBuff);
    lpReOpenBuff->fFixedDisk = 1;
    return 0;
  }
  if (mode == OF_DELETE) return Delete(lpFileName, lpReOpenBuff);
  winsim::detail::Unsupported("OpenFile with a mode other than OF_PARSE or OF_DELETE");
}
