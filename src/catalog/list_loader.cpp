// Reads Quillbox.Lst from the program's directory at start and fills the candidate table with
// every well-formed line whose font file lies beside the program and whose font is not yet
// installed. Bad lines are skipped silently; the user is told only why nothing is offered.
#include "catalog/list_loader.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/file_ops.h"
#include "catalog/font_table.h"
#include "catalog/resource_name.h"
#include "shell/globals.h"

int foundCount;
// 1 once a record could not be added for want of memory.
static int appendFailed;

constexpr int LargestListFile = 65000;  // keeps the byte count of the single read within 16 bits
constexpr int LineSize = 128;           // only the first 127 bytes of a line are looked at

static const char ListFileName[] = "Quillbox.Lst";
static const char NotFoundText[] = "The file 'quillbox.lst' is not found or incorrect.";
static const char NoMemoryText[] = "Available memory is not enough.";
static const char NoFontsText[] = "There are no font files.";
static const char AllInstalledText[] = "All additional TrueType fonts are already installed.";

static void Tell(const char *text, UINT icon) {
  MessageBoxA(NULL, text, AppCaption, MB_OK | icon);
}

// Size of the file in directory, or -1 when it cannot be opened or its path does not fit.
static int MeasureIn(const char *directory, const char *fileName) {
  char path[PathSize];
  lstrcpyA(path, directory);
  if (!AppendToPath(path, fileName)) return -1;
  return GetFileLength(path);
}

// A font name is a key of the Fonts section of WIN.INI. A key with '=' would be read back as a
// different key, and one beginning with '[' as a section header, corrupting WIN.INI.
static int IsSafeProfileKey(const char *fontName) {
  if (fontName[0] == '[') return 0;
  for (int i = 0; fontName[i] != '\0'; i++)
    if (fontName[i] == '=') return 0;
  return 1;
}

// Whether the font is installed: its .Fot file lies in the system directory, or its WIN.INI
// key has a value. A .Fot path that cannot be formed is a file that cannot be opened.
static int IsInstalled(const char *systemDirectory, const char *fileName, const char *fontName) {
  char resourceName[FileNameSize];
  if (systemDirectory[0] != '\0' && MakeResourceName(fileName, resourceName) &&
      MeasureIn(systemDirectory, resourceName) != -1)
    return 1;
  char value[PathSize];
  GetProfileStringA("Fonts", fontName, "", value, PathSize);
  return value[0] != '\0';
}

// One line of length bytes (without its CR LF): either a record is appended or it is skipped.
// The tests run in a fixed order; a line passing the uniqueness tests counts as found.
static void HandleLine(const char *text, int length, const char *programDirectory,
                       const char *systemDirectory) {
  char line[LineSize];
  if (length > LineSize - 1) length = LineSize - 1;
  lstrcpynA(line, text, length + 1);
  if (!IsPrintableLine(line)) return;

  int fileStart = SkipSpaces(line);
  if (fileStart < 0) return;
  int fileLength = FindSpace(line + fileStart);
  if (fileLength < 0) return;
  char fileName[FileNameSize];
  lstrcpynA(fileName, line + fileStart,
            (fileLength < FileNameSize - 1 ? fileLength : FileNameSize - 1) + 1);
  if (!IsPlainShortName(fileName)) return;
  if (FindByFileName(fileName) < FontCount) return;
  int fileSize = MeasureIn(programDirectory, fileName);
  if (fileSize == -1) return;

  const char *rest = line + fileStart + fileLength;
  int fontStart = SkipSpaces(rest);
  if (fontStart < 0) return;
  int fontLength = TrimmedLength(rest + fontStart);
  if (fontLength >= FontNameSize) return;
  char fontName[FontNameSize];
  lstrcpynA(fontName, rest + fontStart, fontLength + 1);
  if (!IsSafeProfileKey(fontName)) return;
  if (FindByFontName(fontName) < FontCount) return;

  foundCount++;
  if (IsInstalled(systemDirectory, fileName, fontName)) return;
  // Out of memory: the line is dropped and stays counted as found. The user hears of it only
  // when nothing at all could be offered.
  if (!AppendFontItem(fileName, fontName, fileSize)) appendFailed = 1;
}

// Splits the text (ending at its first NUL) at each CR LF; text after the last one is ignored.
static void HandleLines(const char *text, const char *programDirectory) {
  char systemDirectory[PathSize];
  GetSystemDirectoryPath(systemDirectory);
  const char *lineStart = text;
  for (const char *scan = text; scan[0] != '\0'; scan++) {
    if (scan[0] == '\r' && scan[1] == '\n') {
      HandleLine(lineStart, (int)(scan - lineStart), programDirectory, systemDirectory);
      scan++;
      lineStart = scan + 1;
    }
  }
}

int LoadFontList() {
  char programDirectory[PathSize];
  char path[PathSize];
  int size = -1;
  if (GetProgramDirectory(programDirectory)) {
    lstrcpyA(path, programDirectory);
    if (AppendToPath(path, ListFileName)) size = GetFileLength(path);
  }
  if (size <= 0 || size > LargestListFile) {
    Tell(NotFoundText, MB_ICONERROR);
    return 0;
  }

  HGLOBAL textBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
  if (textBlock == NULL) {
    Tell(NoMemoryText, MB_ICONERROR);
    return 0;
  }
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    Tell(NotFoundText, MB_ICONERROR);
    GlobalFree(textBlock);
    return 0;
  }
  char *text = (char *)GlobalLock(textBlock);
  if (text == NULL) {
    Tell(NoMemoryText, MB_ICONERROR);
    GlobalFree(textBlock);
    _lclose(file);
    return 0;
  }
  if (_lread(file, text, (UINT)size) != (UINT)size) {
    Tell(NotFoundText, MB_ICONERROR);
    GlobalUnlock(textBlock);
    GlobalFree(textBlock);
    _lclose(file);
    return 0;
  }
  text[size] = '\0';
  _lclose(file);

  foundCount = 0;
  appendFailed = 0;
  ReleaseFontList();
  HandleLines(text, programDirectory);
  GlobalUnlock(textBlock);
  GlobalFree(textBlock);

  if (foundCount == 0)
    Tell(NoFontsText, MB_ICONWARNING);
  else if (FontCount == 0 && appendFailed)
    Tell(NoMemoryText, MB_ICONERROR);
  else if (FontCount == 0)
    Tell(AllInstalledText, MB_ICONINFORMATION);
  return FontCount > 0;
}
