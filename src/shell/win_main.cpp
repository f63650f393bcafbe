// The program's entry. The platform's start-up code passes the command-line tail (the text after
// the program's name and the blanks that follow it) and the first show command.
#include <windows.h>

#include "shell/app_main.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  (void)hPrevInstance;
  return RunProgram(hInstance, lpCmdLine, nCmdShow);
}
