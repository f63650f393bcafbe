// What the run takes from the program around it: the shell fills these in before it opens the
// progress dialog, and the run reads nothing else of the shell's.
#pragma once

#include <windows.h>

struct RunOptions {
  HINSTANCE instance;   // the module that holds the progress dialog's template
  HWND owner;           // the window that owns the progress dialog
  int deleteOriginals;  // nonzero: delete each source file once its font is installed
};

extern RunOptions runOptions;
