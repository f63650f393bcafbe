// Tells a font file by its table directory, so that only whole fonts go into the system directory,
// and an older file there by its version tag, so that only a font is replaced.
#include "install/install_font_check.h"

#include <windows.h>

namespace {

enum FileKind { Unreadable, EmptyFile, FontFile, OtherFile };

constexpr DWORD Tag(const char (&text)[5]) {
  return static_cast<DWORD>(static_cast<unsigned char>(text[0])) << 24 |
         static_cast<DWORD>(static_cast<unsigned char>(text[1])) << 16 |
         static_cast<DWORD>(static_cast<unsigned char>(text[2])) << 8 |
         static_cast<DWORD>(static_cast<unsigned char>(text[3]));
}

// The version tags a TrueType or OpenType font begins with, and a collection's.
constexpr DWORD FontTags[] = {0x00010000, Tag("true"), Tag("OTTO")};
constexpr DWORD CollectionTag = Tag("ttcf");

// The tables every font has, then its outlines: glyf with loca, or CFF.
constexpr DWORD KnownTables[] = {Tag("cmap"), Tag("head"), Tag("hhea"), Tag("hmtx"), Tag("maxp"),
                                 Tag("name"), Tag("post"), Tag("glyf"), Tag("loca"), Tag("CFF ")};
constexpr int EveryFontHas = 0x07F;
constexpr int GlyfOutlines = 0x180;
constexpr int CffOutlines = 0x200;

constexpr DWORD OffsetTableSize = 12;  // version tag, table count and the search fields
constexpr DWORD TableRecordSize = 16;  // tag, checksum, offset, length

// The big-endian numbers of the font's headers.
DWORD ReadNumber(const unsigned char *bytes, int count) {
  DWORD number = 0;
  for (int i = 0; i < count; i++) number = number << 8 | bytes[i];
  return number;
}

int IsFontTag(DWORD tag) {
  for (DWORD known : FontTags)
    if (tag == known) return 1;
  return 0;
}

// 1 when count bytes were read at offset, which lie inside the file of size bytes.
int ReadAt(HFILE file, DWORD size, DWORD offset, unsigned char *bytes, UINT count) {
  if (offset > size || count > size - offset) return 0;
  if (_llseek(file, static_cast<LONG>(offset), FILE_BEGIN) != static_cast<LONG>(offset)) return 0;
  return _lread(file, bytes, count) == count;
}

// Whether the font whose offset table begins at start, in a file of size bytes, has a font's
// version tag, at least one table, every table record and every table inside the file, and the
// tables every font has.
int HasWholeDirectory(HFILE file, DWORD start, DWORD size) {
  unsigned char header[OffsetTableSize];
  if (!ReadAt(file, size, start, header, sizeof header) || !IsFontTag(ReadNumber(header, 4)))
    return 0;
  DWORD tableCount = ReadNumber(header + 4, 2);
  if (tableCount == 0 || (size - start - OffsetTableSize) / TableRecordSize < tableCount) return 0;
  int found = 0;
  for (DWORD i = 0; i < tableCount; i++) {
    unsigned char record[TableRecordSize];
    if (_lread(file, record, sizeof record) != sizeof record) return 0;
    DWORD offset = ReadNumber(record + 8, 4);
    DWORD length = ReadNumber(record + 12, 4);
    if (offset > size || length > size - offset) return 0;
    for (int t = 0; t < static_cast<int>(sizeof KnownTables / sizeof KnownTables[0]); t++)
      if (ReadNumber(record, 4) == KnownTables[t]) found |= 1 << t;
  }
  return (found & EveryFontHas) == EveryFontHas &&
         ((found & GlyfOutlines) == GlyfOutlines || (found & CffOutlines) != 0);
}

// A single font, or a collection whose every font the header names is whole.
int HasWholeFonts(HFILE file, DWORD size) {
  unsigned char header[OffsetTableSize];
  if (!ReadAt(file, size, 0, header, sizeof header)) return 0;
  if (ReadNumber(header, 4) != CollectionTag) return HasWholeDirectory(file, 0, size);
  DWORD fontCount = ReadNumber(header + 8, 4);
  if (fontCount == 0 || (size - OffsetTableSize) / 4 < fontCount) return 0;
  for (DWORD i = 0; i < fontCount; i++) {
    unsigned char offset[4];
    if (!ReadAt(file, size, OffsetTableSize + 4 * i, offset, sizeof offset) ||
        !HasWholeDirectory(file, ReadNumber(offset, 4), size))
      return 0;
  }
  return 1;
}

int IsWholeFont(const char *path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return 0;
  // A file of 2 GiB or more comes out negative, and is no font this program installs.
  LONG size = _llseek(file, 0, FILE_END);
  int whole = size > 0 && HasWholeFonts(file, static_cast<DWORD>(size));
  _lclose(file);
  return whole;
}

FileKind ReadKind(const char *path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return Unreadable;
  unsigned char tag[4];
  UINT count = _lread(file, tag, sizeof tag);
  _lclose(file);
  if (count == 0) return EmptyFile;
  if (count != sizeof tag) return count == static_cast<UINT>(HFILE_ERROR) ? Unreadable : OtherFile;
  return IsFontTag(ReadNumber(tag, 4)) || ReadNumber(tag, 4) == CollectionTag ? FontFile
                                                                              : OtherFile;
}

}  // namespace

// The copy into the system directory replaces whatever lies there under the same name, so a listed
// file that is not a whole font (a library's name, a driver's, a script that begins like a font, a
// truncated font) must neither be brought there nor overwrite what is there. An older file there
// that begins like a font may be replaced, even when it is damaged.
int MayCopyFont(const char *source, const char *target, int sameFile) {
  if (!IsWholeFont(source)) return 0;
  if (sameFile) return 1;
  // Nothing there yet: the copy creates the file.
  if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return 1;
  // A file that cannot be read cannot be shown to be a font, and is kept.
  FileKind existing = ReadKind(target);
  return existing == FontFile || existing == EmptyFile ? 1 : 0;
}
