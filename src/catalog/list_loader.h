// Reads Quillbox.Lst beside the program and fills the candidate table with the fonts that are
// present and not yet installed.
#pragma once

#include <windows.h>

// Returns 1 when the table holds at least one font. Returns 0 after telling the user why in
// exactly one message box.
int LoadFontList();

// What becomes of one line of the list file, in the order the tests are made.
enum ListLineFate {
  LineOffered,       // a record was added: the font is offered
  LineInstalled,     // its .Fot exists or its WIN.INI key has a value
  LineFileMissing,   // its font file cannot be opened beside the program
  LineNotShortName,  // its file name is no bare 8.3 name
  LineFileRepeats,   // an earlier record has this file name
  LineFontRepeats,   // an earlier record has this font name
  LineFontTooLong,   // the font name has 80 characters or more
  LineFontUnsafe,    // the font name holds '=' or begins with '[' (WIN.INI could not hold it)
  LineNoFontName,    // nothing follows the file name
  LineBlank,         // nothing but blanks
  LineControl,       // a byte 0x01..0x1F within the first 127
  LineNoMemory,      // the record could not be added for want of memory
};

// Decides one line of length bytes (without its CR LF) against the font files in
// programDirectory and the system directory (both with their backslash; an empty system
// directory finds no .Fot), adding the record when the line is offered. *record receives the new
// record's index, or for a repeat the earlier record's; else -1. Returns a ListLineFate.
int DecideListLine(const char *text, int length, const char *programDirectory,
                   const char *systemDirectory, int *record);
// The line that begins at scan: its length up to the CR LF that ends it, and the start of the
// next line; NULL when no CR LF follows (the rest of the text is not a line).
const char *NextListLine(const char *scan, int *length);

enum ListReadResult { ListRead, ListNotFound, ListNoMemory };
// Reads Quillbox.Lst from directory (with its backslash; empty: none) into a new movable block
// that ends in a NUL, left locked at *text; the caller unlocks and frees it. Returns a
// ListReadResult; only ListRead gives a block.
int ReadListFile(const char *directory, HGLOBAL *textBlock, const char **text);
// The message that tells the user why the list could not be read.
const char *ListFailureText(int result);

// Line scanners over NUL-terminated text; a blank is the space (0x20) alone.
int FindSpace(const char *text);        // index of the first blank, -1 if none
int SkipSpaces(const char *text);       // index of the first non-blank, -1 if none
int TrimmedLength(const char *text);    // length without trailing blanks
int IsPrintableLine(const char *text);  // 0 if any byte lies in 0x01..0x1F, else 1
// 1 if name is a bare 8.3 file name without directory or drive part, else 0.
int IsPlainShortName(const char *name);

// Lines of the last LoadFontList that passed every test up to the uniqueness tests (installed
// fonts and failed appends included).
extern int foundCount;
