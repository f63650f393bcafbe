// The shell's own state, declared in globals.h.
#include "shell/globals.h"

HINSTANCE hInst;
HWND hFontDial;
int ShowDeleteOption;
int DeleteOriginals;
