// The candidate table: records in one movable global memory block that grows by exactly one
// record per accepted line, so that a failed growth never harms the records already held.
#include "catalog/font_table.h"

HGLOBAL FontList;
int FontCount;

int AppendFontItem(const char *fileName, const char *fontName, int fileSize) {
  HGLOBAL block;
  if (FontCount == 0)
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FontItem));
  else
    block = GlobalReAlloc(FontList, (FontCount + 1) * sizeof(FontItem), GMEM_MOVEABLE);
  // A failed GlobalReAlloc leaves the old block and its handle valid: nothing to undo.
  if (block == NULL) return 0;

  FontItem *items = (FontItem *)GlobalLock(block);
  if (items == NULL) {
    // A block that cannot be addressed holds no record. A new one is given back so that the
    // table stays empty; a grown one keeps its records and merely has room to spare.
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
  GlobalUnlock(FontList);
  FontCount++;
  return 1;
}

// Both lookups walk the records in table order and stop at the first equal name, so that the
// lower index wins; the empty table is never locked.
static int FindByField(const char *name, int fileNameField) {
  if (FontCount == 0) return 0;
  const FontItem *items = (const FontItem *)GlobalLock(FontList);
  if (items == NULL) return FontCount;
  int index = 0;
  while (index < FontCount) {
    const char *field = fileNameField ? items[index].fileName : items[index].fontName;
    if (lstrcmpiA(field, name) == 0) break;
    index++;
  }
  GlobalUnlock(FontList);
  return index;
}

int FindByFileName(const char *name) {
  return FindByField(name, 1);
}

int FindByFontName(const char *name) {
  return FindByField(name, 0);
}

void ReleaseFontList() {
  if (FontCount > 0) GlobalFree(FontList);
  FontList = NULL;
  FontCount = 0;
}
