// Reads Quillbox.Lst beside the program and keeps each well-formed line whose font file is there
// and whose font is not yet installed; the user is told only why nothing is offered.
#include "catalog/list_loader.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/file_ops.h"
#include "catalog/font_table.h"
#include "catalog/installed_lists.h"
#include "catalog/resource_name.h"
#include "catalog/shared_texts.h"

int foundCount;

namespace {

constexpr int LargestListFile = 65000;  // keeps the byte count of the single read within 16 bits
constexpr int LineSize = 128;           // only the first 127 bytes of a line are looked at

constexpr char ListFileName[] = "Quillbox.Lst";
constexpr char NotFoundText[] = "The file 'quillbox.lst' is not found or incorrect.";
constexpr char NoFontsText[] = "There are no font files.";
constexpr char AllInstalledText[] = "All additional TrueType fonts are already installed.";

// 1 once a record of the current load could not be added for want of memory.
int appendFailed;

void Tell(const char *text, UINT icon) {
  MessageBoxA(NULL, text, AppCaption, MB_OK | icon);
}

// Size of the file in directory, or -1 when it cannot be opened or its path cannot be formed.
int MeasureIn(const char *directory, const char *fileName) {
  char path[PathSize];
  if (!JoinPath(path, directory, fileName)) return -1;
  return GetFileLength(path);
}

// A font name is a key of the Fonts section of WIN.INI. A key with '=' would be read back as a
// different key, and one beginning with '[' as a section header, corrupting WIN.INI.
int IsSafeProfileKey(const char *fontName) {
  if (fontName[0] == '[') return 0;
  for (int i = 0; fontName[i] != '\0'; i++)
    if (fontName[i] == '=') return 0;
  return 1;
}

// Whether the font is installed: its .Fot file lies in the system directory, or its WIN.INI
// key has a value. A .Fot path that cannot be formed is a file that cannot be opened.
// Each lookup is made only where the listings cannot show that it would find nothing.
int IsInstalled(const char *systemDirectory, const char *fileName, const char *fontName) {
  char resourceName[FileNameSize];
  if (systemDirectory[0] != '\0' && MakeResourceName(fileName, resourceName) &&
      MayHoldSystemFile(resourceName) && MeasureIn(systemDirectory, resourceName) != -1)
    return 1;
  if (!MayHoldFontsKey(fontName)) return 0;
  char value[PathSize];
  GetProfileStringA(FontsSection, fontName, "", value, PathSize);
  return value[0] != '\0';
}

}  // namespace

int DecideListLine(const char *text, int length, const char *programDirectory,
                   const char *systemDirectory, int *record) {
  char line[LineSize];
  *record = -1;
  if (length > LineSize - 1) length = LineSize - 1;
  lstrcpynA(line, text, length + 1);
  if (!IsPrintableLine(line)) return LineControl;

  int fileStart = SkipSpaces(line);
  if (fileStart < 0) return LineBlank;
  int fileLength = FindSpace(line + fileStart);
  if (fileLength < 0) return LineNoFontName;
  char fileName[FileNameSize];
  lstrcpynA(fileName, line + fileStart,
            (fileLength < FileNameSize - 1 ? fileLength : FileNameSize - 1) + 1);
  if (!IsPlainShortName(fileName)) return LineNotShortName;
  *record = FindByFileName(fileName);
  if (*record < FontCount) return LineFileRepeats;
  *record = -1;
  int fileSize = MeasureIn(programDirectory, fileName);
  if (fileSize == -1) return LineFileMissing;

  const char *rest = line + fileStart + fileLength;
  int fontStart = SkipSpaces(rest);
  if (fontStart < 0) return LineNoFontName;
  int fontLength = TrimmedLength(rest + fontStart);
  if (fontLength >= FontNameSize) return LineFontTooLong;
  char fontName[FontNameSize];
  lstrcpynA(fontName, rest + fontStart, fontLength + 1);
  if (!IsSafeProfileKey(fontName)) return LineFontUnsafe;
  *record = FindByFontName(fontName);
  if (*record < FontCount) return LineFontRepeats;
  *record = -1;

  foundCount++;
  if (IsInstalled(systemDirectory, fileName, fontName)) return LineInstalled;
  if (!AppendFontItem(fileName, fontName, fileSize)) return LineNoMemory;
  *record = FontCount - 1;
  return LineOffered;
}

const char *NextListLine(const char *scan, int *length) {
  for (const char *end = scan; end[0] != '\0'; end++) {
    if (end[0] == '\r' && end[1] == '\n') {
      *length = static_cast<int>(end - scan);
      return end + 2;
    }
  }
  return NULL;
}

int ReadListFile(const char *directory, HGLOBAL *textBlock, const char **text) {
  char path[PathSize];
  int size = -1;
  if (JoinPath(path, directory, ListFileName)) size = GetFileLength(path);
  if (size <= 0 || size > LargestListFile) return ListNotFound;

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
  if (block == NULL) return ListNoMemory;
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    GlobalFree(block);
    return ListNotFound;
  }
  char *bytes = static_cast<char *>(GlobalLock(block));
  if (bytes == NULL) {
    GlobalFree(block);
    _lclose(file);
    return ListNoMemory;
  }
  int read = _lread(file, bytes, size) == static_cast<UINT>(size);
  _lclose(file);
  if (!read) {
    GlobalUnlock(block);
    GlobalFree(block);
    return ListNotFound;
  }
  bytes[size] = '\0';
  *textBlock = block;
  *text = bytes;
  return ListRead;
}

const char *ListFailureText(int result) {
  return result == ListNoMemory ? NoMemoryText : NotFoundText;
}

int LoadFontList() {
  char programDirectory[PathSize];
  HGLOBAL textBlock = NULL;
  const char *text = NULL;
  if (!GetProgramDirectory(programDirectory)) programDirectory[0] = '\0';
  int result = ReadListFile(programDirectory, &textBlock, &text);
  if (result != ListRead) {
    Tell(ListFailureText(result), MB_ICONERROR);
    return 0;
  }

  foundCount = 0;
  appendFailed = 0;
  ReleaseFontList();
  char systemDirectory[PathSize];
  GetSystemDirectoryPath(systemDirectory);
  // Lines end at each CR LF; text after the last one is ignored.
  int length;
  int record;
  MakeInstalledListings(systemDirectory);
  for (const char *line = text, *next; (next = NextListLine(line, &length)) != NULL; line = next) {
    // Out of memory: the line is dropped and stays counted as found. The user hears of it only
    // when nothing at all could be offered.
    if (DecideListLine(line, length, programDirectory, systemDirectory, &record) == LineNoMemory)
      appendFailed = 1;
  }
  DropInstalledListings();
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
