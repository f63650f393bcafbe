// The test that a listed file name is a bare 8.3 name: the system's own parser must place it
// in the root directory of the Windows drive, and the name must follow the 8.3 rule.
#include "catalog/list_loader.h"

#include <windows.h>

#include "catalog/directories.h"

namespace {

// The directory part of the fully qualified form of root followed by name, up to and including
// its last backslash. 0 when the system cannot parse it.
//
// The parse is GetFullPathNameA's, held to the 128 characters of an OFSTRUCT: exactly what
// OpenFile reports with OF_PARSE, which adds only a query of the drive's type that nothing here
// reads. That query is a round trip to the system's services under Wine (about half a
// millisecond, twice per line), more than any other step of a large list.
int ParsedDirectory(const char *root, const char *name, char *directory) {
  char candidate[PathSize];
  if (!JoinPath(candidate, root, name)) return 0;
  char full[OFS_MAXPATHNAME];
  DWORD length = GetFullPathNameA(candidate, OFS_MAXPATHNAME, full, NULL);
  if (length == 0 || length >= OFS_MAXPATHNAME) return 0;
  int cut = 0;
  for (int i = 0; full[i] != '\0'; i++)
    if (full[i] == '\\') cut = i + 1;
  lstrcpynA(directory, full, cut + 1);
  return 1;
}

// At most 8 characters without a dot; otherwise 1 to 8 before the first dot and at most 3
// after it, further dots included.
int FollowsEightThree(const char *name) {
  int length = lstrlenA(name);
  int firstDot = -1;
  for (int i = 0; i < length && firstDot < 0; i++)
    if (name[i] == '.') firstDot = i;
  if (firstDot < 0) return length <= 8;
  if (firstDot == 0 || firstDot > 8) return 0;
  return length - firstDot - 1 <= 3;
}

}  // namespace

int IsPlainShortName(const char *name) {
  // A colon names a drive or, on NTFS, a stream of another file ("C:X.TTF" is the stream X.TTF
  // of a file C); the parser lets "C:X.TTF" pass as a name in the root, so refuse it here. A
  // separator is a directory part even where the parse ends in the root ("\\X.TTF" there is the
  // root's X.TTF), and the name would carry it into the WIN.INI value of its .Fot file.
  for (int i = 0; name[i] != '\0'; i++)
    if (name[i] == ':' || name[i] == '\\' || name[i] == '/') return 0;

  char root[PathSize];
  UINT length = GetWindowsDirectoryA(root, PathSize);
  if (length < 3 || length >= static_cast<UINT>(PathSize)) return 0;
  root[3] = '\0';

  char nameDirectory[PathSize];
  if (!ParsedDirectory(root, name, nameDirectory)) return 0;
  // The reference is a name that surely lies in the root; its parse is not expected to fail.
  char rootDirectory[PathSize] = "";
  ParsedDirectory(root, "a.a", rootDirectory);
  if (lstrcmpiA(nameDirectory, rootDirectory) != 0) return 0;
  return FollowsEightThree(name);
}
