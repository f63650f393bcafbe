// Reads Quillbox.Lst beside the program and fills the candidate table with the fonts that are
// present and not yet installed.
#pragma once

// Returns 1 when the table holds at least one font. Returns 0 after telling the user why in
// exactly one message box.
int LoadFontList();

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
