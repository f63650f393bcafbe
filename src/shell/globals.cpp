#include "shell/globals.h"

HINSTANCE hInst;
HWND hFontDial;
int ShowDeleteOption;
int DeleteOriginals;
