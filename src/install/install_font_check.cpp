// Tells a font file by its first four bytes, the version tag that every TrueType or OpenType file
// and collection begins with, so that only fonts go into the system directory.
#include "install/install_font_check.h"

#include <windows.h>

namespace {

enum FileKind { Unreadable, EmptyFile, FontFile, OtherFile };

constexpr char FontTags[][4] = {
    {0, 1, 0, 0}, {'t', 'r', 'u', 'e'}, {'O', 'T', 'T', 'O'}, {'t', 't', 'c', 'f'}};

FileKind ReadKind(const char *path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return Unreadable;
  char tag[4];
  UINT count = _lread(file, tag, sizeof tag);
  _lclose(file);
  if (count == 0) return EmptyFile;
  if (count != sizeof tag) return count == static_cast<UINT>(HFILE_ERROR) ? Unreadable : OtherFile;
  for (const char *known : FontTags)
    if (tag[0] == known[0] && tag[1] == known[1] && tag[2] == known[2] && tag[3] == known[3])
      return FontFile;
  return OtherFile;
}

}  // namespace

// The copy into the system directory replaces whatever lies there under the same name, so a listed
// file that is not a font (a library's name, a driver's) must neither be brought there nor
// overwrite what is there.
int MayCopyFont(const char *source, const char *target, int sameFile) {
  if (ReadKind(source) != FontFile) return 0;
  if (sameFile) return 1;
  // Nothing there yet: the copy creates the file.
  if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return 1;
  // A file that cannot be read cannot be shown to be a font, and is kept.
  FileKind existing = ReadKind(target);
  return existing == FontFile || existing == EmptyFile ? 1 : 0;
}
