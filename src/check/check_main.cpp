// QuillboxCheck.exe: prints what Quillbox would make of each line of Quillbox.Lst in the folder
// named on its command line (or its own folder) on this machine, changing nothing.
#include <windows.h>

#include "catalog/directories.h"
#include "check/list_check.h"

namespace {

void WriteLine(DWORD stream, const char *text) {
  HANDLE handle = GetStdHandle(stream);
  DWORD written;
  WriteFile(handle, text, lstrlenA(text), &written, NULL);
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
  char directory[PathSize];
  if (argc > 1) {
    // The folder as given, a backslash added when it has none; empty when it does not fit.
    directory[0] = '\0';
    if (lstrlenA(argv[1]) < PathSize) {
      lstrcpyA(directory, argv[1]);
      EndWithBackslash(directory);
    }
  } else {
    GetProgramDirectory(directory);
  }
  return CheckListFile(directory, ToOutput, ToError);
}
