// The .Fot name of a font file: the loader looks for it to see whether a font is installed, and
// the installation run creates it. Both must form it the same way.
#include "catalog/resource_name.h"

#include "catalog/font_table.h"

int MakeResourceName(const char *fileName, char *resourceName) {
  int length = lstrlenA(fileName);
  int lastDot = -1;
  for (int i = 0; i < length; i++)
    if (fileName[i] == '.') lastDot = i;

  // Everything after the last dot gives way to "Fot"; a name without a dot gets ".Fot", so that
  // its resource file still carries the extension that marks it.
  int keep = lastDot >= 0 ? lastDot + 1 : length;
  int extra = lastDot >= 0 ? 3 : 4;
  if (keep + extra >= FileNameSize) {
    resourceName[0] = '\0';
    return 0;
  }
  lstrcpynA(resourceName, fileName, keep + 1);
  lstrcatA(resourceName, lastDot >= 0 ? "Fot" : ".Fot");
  return 1;
}
