// The program from start to end, as WinMain runs it: hand-over to a running copy, the font list,
// the "/d" option, the owner window and the message loop, and the table freed at the end.
#pragma once

#include <windows.h>

// Exit code after "Available memory is not enough." when the owner window's class cannot be
// registered or the window cannot be created. Every other end of the program returns 0, so a
// caller can tell this failure apart.
constexpr int StartFailedExitCode = 1;

// commandLine is the text after the program's name and the blanks that follow it; showCommand
// is the show command for the first window. Returns the process exit code.
int RunProgram(HINSTANCE instance, LPCSTR commandLine, int showCommand);
