// Linked into QuillboxPlainScans.exe only: sets PlainTableScans before WinMain runs, so that this
// copy of the program looks names up as it did before the name index, by scanning every record.
#include "catalog/font_table.h"

namespace {

struct PlainScansFromTheStart {
  PlainScansFromTheStart() { PlainTableScans = 1; }
} plainScansFromTheStart;

}  // namespace
