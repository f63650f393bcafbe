// Records an installed font where Windows NT and Wine look for fonts when they start, so that it
// outlives the session: WIN.INI's Fonts section and AddFontResourceA do not.
#pragma once

// Writes the value "<fontName> (TrueType)" = the font file's full path under
// HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts, unless a value of that name already
// names another file. upperFile is the font file's name in the system directory, targetPath its
// path as this program reaches it. A failure changes nothing and is not reported.
void RecordFontForRestart(const char *fontName, const char *upperFile, const char *targetPath);
