// The program's entry: hands the command-line tail and the first show command to RunProgram.
#include <windows.h>

#include "shell/app_main.h"

// The start-up code passes the command-line tail: it skips the program's name (quoted or not) and
// then every blank, tab or other control character that follows it, and leaves the rest, trailing
// blanks included.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  (void)hPrevInstance;
  return RunProgram(hInstance, lpCmdLine, nCmdShow);
}
