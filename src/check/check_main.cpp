// QuillboxCheck.exe: a console program for the person who prepares a font collection. It reads
// Quillbox.Lst in the folder named on its command line (or its own folder) and prints what
// Quillbox would make of each line on this machine, changing nothing.
#include <windows.h>

#include "catalog/directories.h"
#include "catalog/font_table.h"
#include "check/list_check.h"
#include "shell/globals.h"

namespace {

void WriteLine(DWORD stream, const char *text) {
  HANDLE handle = GetStdHandle(stream);
  DWORD written;
  WriteFile(handle, text, (DWORD)lstrlenA(text), &written, NULL);
  WriteFile(handle, "\r\n", 2, &written, NULL);
}

void ToOutput(const char *line) {
  WriteLine(STD_OUTPUT_HANDLE, line);
}

void ToError(const char *line) {
  WriteLine(STD_ERROR_HANDLE, line);
}

}  // namespace

int main(int argc, char **argv) {
  hInst = GetModuleHandleA(NULL);
  char directory[PathSize];
  if (argc > 1) {
    // The folder as given, a backslash added when it has none.
    directory[0] = '\0';
    int length = lstrlenA(argv[1]);
    if (length > 0 && length < PathSize - 1) {
      lstrcpyA(directory, argv[1]);
      if (directory[length - 1] != '\\' && directory[length - 1] != '/') lstrcatA(directory, "\\");
    }
  } else if (!GetProgramDirectory(directory)) {
    directory[0] = '\0';
  }
  return CheckListFile(directory, ToOutput, ToError);
}
