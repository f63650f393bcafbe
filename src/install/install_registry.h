// Records an installed font where Windows NT and Wine look for fonts when they start, so that it
// outlives the session: WIN.INI's Fonts section and AddFontResourceA do not.
#pragma once

// Writes the value "<fontName> (TrueType)" = fontPath under
// HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts, unless a value of that name already
// names another file. fontPath is the font file's path as every process reaches it. A failure
// changes nothing and is not reported.
void RecordFontForRestart(const char *fontName, const char *fontPath);
