// The registry's list of fonts, read by Windows NT and Wine when a session starts. Its values are
// named "<face> (TrueType)" and hold the font file's path as every process reaches it.
#include "install/install_registry.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/font_table.h"

namespace {

constexpr char FontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char ValueSuffix[] = " (TrueType)";

// The font file's path for every process. A 32-bit program on 64-bit Windows sees another folder
// as its system directory than 64-bit processes do; the folder it really sees is the one
// GetSystemWow64DirectoryA names (which answers in 64-bit processes too, hence the test first).
void FontFilePath(const char *upperFile, const char *targetPath, char *path) {
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    char directory[PathSize];
    UINT length = GetSystemWow64DirectoryA(directory, PathSize);
    if (length > 0 && length < static_cast<UINT>(PathSize) && EndWithBackslash(directory) &&
        JoinPath(path, directory, upperFile))
      return;
  }
  lstrcpyA(path, targetPath);
}

}  // namespace

void RecordFontForRestart(const char *fontName, const char *upperFile, const char *targetPath) {
  char name[FontNameSize + sizeof ValueSuffix];
  lstrcpyA(name, fontName);
  lstrcatA(name, ValueSuffix);
  char path[PathSize];
  FontFilePath(upperFile, targetPath, path);

  // The 64-bit view, where there is one: that is the list the system reads.
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, FontsKey, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return;
  // A value of that name that names another file belongs to another font, and is kept.
  char existing[PathSize + 1];
  DWORD type = 0;
  DWORD size = sizeof existing - 1;
  LONG found = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE *>(existing), &size);
  existing[found == ERROR_SUCCESS && size < sizeof existing ? size : 0] = '\0';
  int owned = found == ERROR_FILE_NOT_FOUND ||
              (found == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) &&
               lstrcmpiA(existing, path) == 0);
  if (owned)
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(path), lstrlenA(path) + 1);
  RegCloseKey(key);
}
