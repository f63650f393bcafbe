// An index beside the candidate table that narrows which records a lookup asks lstrcmpiA about:
// it only rules records out, and only where that is certain (see name_index.cpp).
#pragma once

#include <windows.h>

#include "catalog/font_table.h"

// The most records a list file can give: 65,000 bytes, and at least 5 bytes per accepted line
// (a one-character file name, a blank, a one-character font name, CR LF). A table that grows
// past this is not indexed: its lookups scan every record.
constexpr int IndexedRecordLimit = 13000;

// The two names of a record.
constexpr int FileNameKind = 0;
constexpr int FontNameKind = 1;

// 1 and the name's key when every byte of the name is below 0x80; 0 (no key) otherwise.
int NameKeyOf(const char *name, unsigned *key);

// Forgets every record: the table is empty or about to be rebuilt.
void ClearNameIndex();
// Notes the record at index, just stored in block (the table's block from now on). A record
// noted out of turn puts the index out of step with the table until it is cleared.
void NoteIndexedRecord(HGLOBAL block, int index, const char *fileName, const char *fontName);
// 1 when the index holds exactly the records 0 to count - 1 of block.
int IndexCoversTable(HGLOBAL block, int count);
// The lowest index among records 0 to count - 1 whose name of the given kind lstrcmpiA calls
// equal to name, or count when there is none; -1 when the name has no key and only a scan of
// every record can tell. The index must cover the table.
int FindInNameIndex(const FontItem *items, int count, int kind, const char *name);
