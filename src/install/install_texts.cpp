// Composes the names and paths of one font from the record, the program's own path and the
// system directory, refusing (leaving empty) any text that would not fit its buffer.
#include "install/install_texts.h"

#include "catalog/directories.h"
#include "catalog/resource_name.h"

void BuildFontNames(const FontItem *item, FontTexts *texts) {
  lstrcpynA(texts->fontName, item->fontName, FontNameSize);
  lstrcpynA(texts->upperFile, item->fileName, FileNameSize);
  CharUpperA(texts->upperFile);
  // A name that leaves no room for the resource name's extension gets none; its font fails at
  // the first check that needs the resource file.
  MakeResourceName(texts->upperFile, texts->resourceName);
}

void BuildFontPaths(FontTexts *texts) {
  // A directory that cannot be had is empty, and then so is every path composed in it.
  CHAR directory[PathSize];
  GetProgramDirectory(directory);
  JoinPath(texts->sourcePath, directory, texts->upperFile);

  GetSystemDirectoryPath(directory);
  JoinPath(texts->targetPath, directory, texts->upperFile);
  JoinPath(texts->resourcePath, directory, texts->resourceName);
  GetSharedSystemPath(texts->sharedTargetPath, texts->upperFile);
  GetSharedSystemPath(texts->sharedResourcePath, texts->resourceName);
  // A resource name that could not be composed gives no path either, not the directory itself.
  if (texts->resourceName[0] == '\0') {
    texts->resourcePath[0] = '\0';
    texts->sharedResourcePath[0] = '\0';
  }
}
