// The candidate table in one movable block that grows by exactly one record per accepted line, so
// that a failed growth never harms the records held; the name index spares most comparisons.
#include "catalog/font_table.h"

#include "catalog/name_index.h"

HGLOBAL FontList;
int FontCount;

int AppendFontItem(const char *fileName, const char *fontName, int fileSize) {
  HGLOBAL block;
  if (FontCount == 0) {
    ClearNameIndex();  // a new table
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FontItem));
  } else {
    block = GlobalReAlloc(FontList, (FontCount + 1) * sizeof(FontItem), GMEM_MOVEABLE);
  }
  // A failed GlobalReAlloc leaves the old block and its handle valid: nothing to undo.
  if (block == NULL) return 0;

  FontItem *items = static_cast<FontItem *>(GlobalLock(block));
  if (items == NULL) {
    // A block that cannot be addressed holds no record. A new one is given back so that the
    // table stays empty; a grown one keeps its records and merely has room to spare. (Under a
    // new handle the name index no longer covers the table, and the lookups scan.)
    if (FontCount == 0)
      GlobalFree(block);
    else
      FontList = block;
    return 0;
  }
  FontList = block;
  FontItem *item = &items[FontCount];
  item->fileSize = fileSize;
  lstrcpynA(item->fileName, fileName, FileNameSize);
  lstrcpynA(item->fontName, fontName, FontNameSize);
  item->selected = 0;
  NoteIndexedRecord(FontList, FontCount, item->fileName, item->fontName);
  GlobalUnlock(FontList);
  FontCount++;
  return 1;
}

namespace {

// Both lookups find the first record, in table order, whose name lstrcmpiA calls equal, so that
// the lower index wins: through the name index when it covers the table and the name has a key,
// else by walking every record. The empty table is never locked.
int FindByField(const char *name, int kind) {
  if (FontCount == 0) return 0;
  const FontItem *items = static_cast<const FontItem *>(GlobalLock(FontList));
  if (items == NULL) return FontCount;
  int index = -1;
  if (IndexCoversTable(FontList, FontCount)) index = FindInNameIndex(items, FontCount, kind, name);
  if (index < 0) {
    index = 0;
    while (index < FontCount) {
      const char *field = kind == FileNameKind ? items[index].fileName : items[index].fontName;
      if (lstrcmpiA(field, name) == 0) break;
      index++;
    }
  }
  GlobalUnlock(FontList);
  return index;
}

}  // namespace

int FindByFileName(const char *name) {
  return FindByField(name, FileNameKind);
}

int FindByFontName(const char *name) {
  return FindByField(name, FontNameKind);
}

void ReleaseFontList() {
  if (FontCount > 0) GlobalFree(FontList);
  FontList = NULL;
  FontCount = 0;
  ClearNameIndex();
}
