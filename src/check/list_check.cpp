// Goes through the list file with the loader's own per-line decision and names each line's fate,
// and the run's refusal to copy a file where the loader would offer it.
#include "check/list_check.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "install/install_font_check.h"
#include "install/install_same_file.h"

namespace {

constexpr int ReportSize = 160;
constexpr int LinesKept = 0x8000;  // a list of 65,000 bytes has at most 32,500 lines

// The fate's text, by ListLineFate; the repeats get the earlier line's number.
constexpr const char *FateTexts[] = {
    "offered",
    "already installed",
    "file not found",
    "not a plain 8.3 file name",
    "file name repeats line %d",
    "font name repeats line %d",
    "font name too long",
    "font name unsafe for WIN.INI",
    "no font name",
    "blank line",
    "control character",
    "no memory",
};

// The list line of each record, by record index.
int recordLines[LinesKept];

// Whether the run would refuse to copy the record's font file into the system directory (a file
// that is no font, or a file there that may not be replaced): the line is then told as "not a
// font file".
int CopyRefused(const char *directory, const char *systemDirectory, int record) {
  const FontItem *items = static_cast<const FontItem *>(GlobalLock(FontList));
  if (items == NULL) return 0;
  char name[FileNameSize];
  lstrcpyA(name, items[record].fileName);
  GlobalUnlock(FontList);
  CharUpperA(name);
  char source[PathSize];
  char target[PathSize];
  if (!JoinPath(source, directory, name) || !JoinPath(target, systemDirectory, name)) return 0;
  int sameFile = IsSameFile(source, target);
  return sameFile < 0 || !MayCopyFont(source, target, sameFile);
}

}  // namespace

int CheckListFile(const char *directory, CheckSink out, CheckSink error) {
  HGLOBAL textBlock = NULL;
  const char *text = NULL;
  int read = ReadListFile(directory, &textBlock, &text);
  if (read != ListRead) {
    error(ListFailureText(read));
    return CheckListUnreadable;
  }
  ReleaseFontList();
  char systemDirectory[PathSize];
  GetSystemDirectoryPath(systemDirectory);

  char report[ReportSize];
  int lines = 0, offered = 0, installed = 0, others = 0;
  const char *line = text;
  for (const char *next; line[0] != '\0'; line = next) {
    int length;
    next = NextListLine(line, &length);
    lines++;
    int written = wsprintfA(report, "%d: ", lines);
    if (next == NULL) {
      // Text after the last CR LF is no line for the loader.
      lstrcpyA(report + written, "ignored");
      out(report);
      others++;
      break;
    }
    int record;
    int fate = DecideListLine(line, length, directory, systemDirectory, &record);
    if (fate == LineOffered && record < LinesKept) recordLines[record] = lines;
    if (fate == LineOffered && CopyRefused(directory, systemDirectory, record)) {
      lstrcpyA(report + written, "not a font file");
      others++;
    } else {
      int earlier = record >= 0 && record < LinesKept ? recordLines[record] : 0;
      wsprintfA(report + written, FateTexts[fate], earlier);
      offered += fate == LineOffered;
      installed += fate == LineInstalled;
      others += fate != LineOffered && fate != LineInstalled && fate != LineBlank;
    }
    out(report);
  }
  GlobalUnlock(textBlock);
  GlobalFree(textBlock);
  ReleaseFontList();

  wsprintfA(report, "%d lines: %d offered, %d already installed, %d skipped", lines, offered,
            installed, lines - offered - installed);
  out(report);
  return others == 0 ? CheckAllOffered : CheckSomeSkipped;
}
