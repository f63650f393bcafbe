// The whole program run in this test process, as WinMain runs it, with a test script acting from
// inside the program's own message loop once the loop first waits: the way Wine tests a modal
// loop, without a second process.
#pragma once

#include <windows.h>

#include <functional>

// Runs RunProgram(tail, showCommand); script, when given, runs once the loop is idle, and the
// owner window is asked to close after it unless the program has ended. Returns the exit code.
int RunProgramWith(const char *tail, int showCommand, const std::function<void()> &script);

// Inside a script: one turn of a loop like the program's, every queued message offered to the
// selection dialog first. False once the program has ended (its WM_QUIT is left for its loop).
bool Pump();
// The program's owner window while it runs.
HWND OwnerWindow();
