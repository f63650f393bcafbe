// The registry's list of fonts, read by Windows NT and Wine when a session starts. Its values are
// named "<face> (TrueType)" and hold the font file's path as every process reaches it.
#include "install/install_registry.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/font_table.h"

namespace {

constexpr char FontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char ValueSuffix[] = " (TrueType)";

}  // namespace

void RecordFontForRestart(const char *fontName, const char *fontPath) {
  char name[FontNameSize + sizeof ValueSuffix];
  lstrcpyA(name, fontName);
  lstrcatA(name, ValueSuffix);

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
               lstrcmpiA(existing, fontPath) == 0);
  if (owned)
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(fontPath),
                   lstrlenA(fontPath) + 1);
  RegCloseKey(key);
}
