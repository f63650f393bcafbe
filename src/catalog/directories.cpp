// The program's directory (where the list file and the font files lie) and the system directory
// (where installed fonts lie), each ending in a backslash, built in buffers of PathSize characters.
#include "catalog/directories.h"

#include <windows.h>

#include "catalog/font_table.h"
#include "shell/globals.h"

int GetProgramDirectory(char *path) {
  // A path that fills the whole buffer was cut (and may lack its NUL): refuse it rather than
  // look for the list file in some other directory.
  DWORD length = GetModuleFileNameA(hInst, path, PathSize);
  if (length == 0 || length >= (DWORD)PathSize) {
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
  if (length == 0 || length >= (UINT)PathSize) {
    path[0] = '\0';
    return 0;
  }
  if (path[length - 1] != '\\') {
    if (length + 1 >= (UINT)PathSize) {
      path[0] = '\0';
      return 0;
    }
    path[length] = '\\';
    path[length + 1] = '\0';
  }
  return 1;
}

int AppendToPath(char *path, const char *name) {
  if (lstrlenA(path) + lstrlenA(name) >= PathSize) return 0;
  lstrcatA(path, name);
  return 1;
}
