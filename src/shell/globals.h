// The shell's own state: the module, the selection dialog and the two options. One thread, one
// run per process: the state lives here rather than being passed around.
#pragma once

#include <windows.h>

extern HINSTANCE hInst;       // the module instance
extern HWND hFontDial;        // the selection dialog, null until created
extern int ShowDeleteOption;  // "/d" was given: show the delete check box
extern int DeleteOriginals;   // the delete check box is checked
