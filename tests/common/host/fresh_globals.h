// The program's globals as a fresh process has them, for host tests that start the program again
// in one test process. A table left from an earlier machine is forgotten, not freed: its block
// belonged to that machine.
#pragma once

#include "catalog/font_table.h"
#include "install/stat_dialog.h"
#include "shell/globals.h"

inline void ResetProgramGlobals() {
  hInst = nullptr;
  hFontDial = nullptr;
  ShowDeleteOption = 0;
  DeleteOriginals = 0;
  FontList = nullptr;
  FontCount = 0;
  StatPending = 0;
  StatEnded = 0;
}
