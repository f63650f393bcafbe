// The run's copy into the system directory: the bytes go to a temporary file first, so that a copy
// that fails midway never leaves a truncated font, nor costs an older font its contents.
#include "install/install_copy.h"

#include <windows.h>

#include "catalog/file_ops.h"

int CopyWholeFile(const char *source, const char *target) {
  // The temporary file lies in target's directory, so that the move is a rename on one volume.
  char directory[MAX_PATH];
  lstrcpynA(directory, target, MAX_PATH);
  int cut = 0;
  for (int i = 0; directory[i] != '\0'; i++)
    if (directory[i] == '\\') cut = i + 1;
  directory[cut] = '\0';
  char temporary[MAX_PATH];
  if (cut == 0 || GetTempFileNameA(directory, "QB", 0, temporary) == 0) return 0;
  if (CopyFontFile(source, temporary) && MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING))
    return 1;
  DeleteFileA(temporary);
  return 0;
}
