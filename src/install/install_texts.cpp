// Composes the names and paths of one font from the record, the program's own path and the
// system directory, refusing (leaving empty) any text that would not fit its buffer.
#include "install/install_texts.h"

#include "catalog/directories.h"
#include "catalog/resource_name.h"

namespace {

// directory + name into path; path is left empty when either part is missing or it does not fit.
void JoinPath(char *path, const char *directory, int haveDirectory, const char *name) {
  path[0] = '\0';
  if (!haveDirectory || name[0] == '\0') return;
  lstrcpyA(path, directory);
  if (!AppendToPath(path, name)) path[0] = '\0';
}

}  // namespace

void BuildFontNames(const FontItem *item, FontTexts *texts) {
  lstrcpynA(texts->fontName, item->fontName, FontNameSize);
  lstrcpynA(texts->upperFile, item->fileName, FileNameSize);
  CharUpperA(texts->upperFile);
  // A name that leaves no room for the resource name's extension gets none; its font fails at
  // the first check that needs the resource file.
  MakeResourceName(texts->upperFile, texts->resourceName);
}

void BuildFontPaths(FontTexts *texts) {
  CHAR directory[PathSize];
  int haveDirectory = GetProgramDirectory(directory);
  JoinPath(texts->sourcePath, directory, haveDirectory, texts->upperFile);

  haveDirectory = GetSystemDirectoryPath(directory);
  JoinPath(texts->targetPath, directory, haveDirectory, texts->upperFile);
  JoinPath(texts->resourcePath, directory, haveDirectory, texts->resourceName);
}
