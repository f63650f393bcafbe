// KERNEL32, GDI32 and the few USER32 text calls that winsim does not model yet: each aborts
// with its name, so that a test never runs on a quiet success.
#include <windows.h>

#include "winsim/sim.h"

using winsim::detail::Unsupported;

HFILE WINAPI OpenFile(LPCSTR, LPOFSTRUCT, UINT) {
  Unsupported("OpenFile");
}
HFILE WINAPI _lopen(LPCSTR, int) {
  Unsupported("_lopen");
}
HFILE WINAPI _lcreat(LPCSTR, int) {
  Unsupported("_lcreat");
}
UINT WINAPI _lread(HFILE, LPVOID, UINT) {
  Unsupported("_lread");
}
UINT WINAPI _lwrite(HFILE, LPCCH, UINT) {
  Unsupported("_lwrite");
}
LONG WINAPI _llseek(HFILE, LONG, int) {
  Unsupported("_llseek");
}
HFILE WINAPI _lclose(HFILE) {
  Unsupported("_lclose");
}
BOOL WINAPI CreateDirectoryA(LPCSTR, void *) {
  Unsupported("CreateDirectoryA");
}
BOOL WINAPI RemoveDirectoryA(LPCSTR) {
  Unsupported("RemoveDirectoryA");
}
BOOL WINAPI DeleteFileA(LPCSTR) {
  Unsupported("DeleteFileA");
}
DWORD WINAPI GetFileAttributesA(LPCSTR) {
  Unsupported("GetFileAttributesA");
}
BOOL WINAPI SetFileAttributesA(LPCSTR, DWORD) {
  Unsupported("SetFileAttributesA");
}
HGLOBAL WINAPI GlobalAlloc(UINT, size_t) {
  Unsupported("GlobalAlloc");
}
HGLOBAL WINAPI GlobalReAlloc(HGLOBAL, size_t, UINT) {
  Unsupported("GlobalReAlloc");
}
LPVOID WINAPI GlobalLock(HGLOBAL) {
  Unsupported("GlobalLock");
}
BOOL WINAPI GlobalUnlock(HGLOBAL) {
  Unsupported("GlobalUnlock");
}
HGLOBAL WINAPI GlobalFree(HGLOBAL) {
  Unsupported("GlobalFree");
}
size_t WINAPI GlobalSize(HGLOBAL) {
  Unsupported("GlobalSize");
}
UINT WINAPI GlobalFlags(HGLOBAL) {
  Unsupported("GlobalFlags");
}
DWORD WINAPI GetProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD) {
  Unsupported("GetProfileStringA");
}
BOOL WINAPI WriteProfileStringA(LPCSTR, LPCSTR, LPCSTR) {
  Unsupported("WriteProfileStringA");
}
DWORD WINAPI GetTickCount(void) {
  Unsupported("GetTickCount");
}
void WINAPI Sleep(DWORD) {
  Unsupported("Sleep");
}
int WINAPI MulDiv(int, int, int) {
  Unsupported("MulDiv");
}
int WINAPI AddFontResourceA(LPCSTR) {
  Unsupported("AddFontResourceA");
}
BOOL WINAPI RemoveFontResourceA(LPCSTR) {
  Unsupported("RemoveFontResourceA");
}
BOOL WINAPI CreateScalableFontResourceA(DWORD, LPCSTR, LPCSTR, LPCSTR) {
  Unsupported("CreateScalableFontResourceA");
}
int WINAPIV wsprintfA(LPSTR, LPCSTR, ...) {
  Unsupported("wsprintfA");
}
int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) {
  Unsupported("MessageBoxA");
}
