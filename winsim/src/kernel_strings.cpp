// The lstr family of KERNEL32 and USER32's CharUpperA, over code page 1252. The comparisons
// follow Windows' linguistic sort as modelled in sim_collate.cpp.
#include <windows.h>

#include "sim_state.h"
#include "sim_collate.h"
#include "sim_text.h"

namespace {

int Sign(int value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  LPSTR out = lpString1;
  while ((*out++ = *lpString2++) != 0) {
  }
  return lpString1;
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  if (iMaxLength <= 0) return lpString1;
  int i = 0;
  for (; i < iMaxLength - 1 && lpString2[i] != 0; i++) lpString1[i] = lpString2[i];
  lpString1[i] = 0;
  return lpString1;
}

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  LPSTR end = lpString1;
  while (*end != 0) end++;
  lstrcpyA(end, lpString2);
  return lpString1;
}

int WINAPI lstrlenA(LPCSTR lpString) {
  if (lpString == nullptr) return 0;
  int length = 0;
  while (lpString[length] != 0) length++;
  return length;
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) {
    return Sign((lpString1 != nullptr) - (lpString2 != nullptr));
  }
  return winsim::detail::CollateAnsi(lpString1, lpString2, true);
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) {
    return Sign((lpString1 != nullptr) - (lpString2 != nullptr));
  }
  return winsim::detail::CollateAnsi(lpString1, lpString2, false);
}

LPSTR WINAPI CharUpperA(LPSTR lpsz) {
  // A pointer whose high-order bits are zero carries one character in its low byte.
  if (IS_INTRESOURCE(lpsz)) {
    unsigned char c = static_cast<unsigned char>(reinterpret_cast<uintptr_t>(lpsz) & 0xFF);
    return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(winsim::detail::UpperCase(c)));
  }
  for (LPSTR p = lpsz; *p != 0; p++) {
    *p = static_cast<char>(winsim::detail::UpperCase(static_cast<unsigned char>(*p)));
  }
  return lpsz;
}
