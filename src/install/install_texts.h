// The texts the run composes for one font: its names, the three paths and the message buffer,
// each in the fixed capacity the program uses for such a text.
#pragma once

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/font_table.h"

struct FontTexts {
  CHAR fontName[FontNameSize];        // the record's font name, the WIN.INI key
  CHAR upperFile[FileNameSize];       // the record's file name in upper case
  CHAR resourceName[FileNameSize];    // the .Fot file's name, without a directory
  CHAR sourcePath[PathSize];          // the font file beside the program
  CHAR targetPath[PathSize];          // the font file's copy in the system directory
  CHAR resourcePath[PathSize];        // the .Fot file in the system directory
  CHAR sharedTargetPath[PathSize];    // the font file's copy as every process reaches it
  CHAR sharedResourcePath[PathSize];  // the .Fot file as every process reaches it
};

// Fills the font name, the upper-case file name and the resource name afresh from item.
void BuildFontNames(const FontItem *item, FontTexts *texts);
// Composes the paths from the names, the program's own path and the system directory.
// A name or path that does not fit its buffer is left empty, and the check that needs it then
// fails the font; nothing is written past a buffer.
void BuildFontPaths(FontTexts *texts);
