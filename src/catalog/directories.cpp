// The program's directory (where the list file and the font files lie) and the system directory
// (where installed fonts lie), each ending in a backslash, and paths composed from them.
#include "catalog/directories.h"

#include <windows.h>

int GetProgramDirectory(char *path) {
  // The program's file is the process's own module. A path that fills the whole buffer was cut
  // (and may lack its NUL): refuse it rather than look for the list file in another directory.
  DWORD length = GetModuleFileNameA(NULL, path, PathSize);
  if (length == 0 || length >= static_cast<DWORD>(PathSize)) {
    path[0] = '\0';
    return 0;
  }
  int lastBackslash = -1;
  for (int i = 0; path[i] != '\0'; i++)
    if (path[i] == '\\') lastBackslash = i;
  if (lastBackslash < 0) {
    path[0] = '\0';
    return 0;
  }
  path[lastBackslash + 1] = '\0';
  return 1;
}

int GetSystemDirectoryPath(char *path) {
  // The result is the length without NUL when it fits, else the size the buffer would need.
  UINT length = GetSystemDirectoryA(path, PathSize);
  if (length == 0 || length >= static_cast<UINT>(PathSize)) {
    path[0] = '\0';
    return 0;
  }
  return EndWithBackslash(path);
}

int GetSharedSystemPath(char *path, const char *name) {
  char directory[PathSize];
  // GetSystemWow64DirectoryA answers in 64-bit processes too, hence the test first.
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    UINT length = GetSystemWow64DirectoryA(directory, PathSize);
    if (length > 0 && length < static_cast<UINT>(PathSize) && EndWithBackslash(directory))
      return JoinPath(path, directory, name);
  }
  GetSystemDirectoryPath(directory);
  return JoinPath(path, directory, name);
}

int EndWithBackslash(char *path) {
  int length = lstrlenA(path);
  if (length > 0 && (path[length - 1] == '\\' || path[length - 1] == '/')) return 1;
  if (length == 0 || length + 1 >= PathSize) {
    path[0] = '\0';
    return 0;
  }
  path[length] = '\\';
  path[length + 1] = '\0';
  return 1;
}

int JoinPath(char *path, const char *directory, const char *name) {
  path[0] = '\0';
  if (directory[0] == '\0' || lstrlenA(directory) + lstrlenA(name) >= PathSize) return 0;
  lstrcpyA(path, directory);
  lstrcatA(path, name);
  return 1;
}
