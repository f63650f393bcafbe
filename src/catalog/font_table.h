// The candidate table: one record per font that may be installed in this run, in list-file
// order, held in one movable global memory block that grows by one record per accepted line.
#pragma once

#include <windows.h>

constexpr int FileNameSize = 16;  // 8.3 name and its NUL
constexpr int FontNameSize = 80;  // font name (WIN.INI key) and its NUL

struct FontItem {
  INT selected;                 // nonzero: chosen for installation
  CHAR fileName[FileNameSize];  // bare 8.3 name as the list file spells it
  CHAR fontName[FontNameSize];  // key in the Fonts section of WIN.INI, text in the list
  INT fileSize;                 // bytes of the font file beside the program when it was listed
};

extern HGLOBAL FontList;  // the block of records; null until the first record exists
extern int FontCount;     // number of records

// Adds a record with selected = 0. Returns 1, or 0 when memory was short; then the table is
// unchanged.
int AppendFontItem(const char *fileName, const char *fontName, int fileSize);
// Index of the first record whose name equals name without regard to case (lstrcmpiA);
// FontCount if none. The name index narrows which records are compared (name_index.h).
int FindByFileName(const char *name);
int FindByFontName(const char *name);
// Frees the block when the table holds records and leaves the table empty.
void ReleaseFontList();
