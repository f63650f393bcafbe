// Quillbox.exe started as a person starts it, and its windows found from outside the process.
#pragma once

#include <windows.h>

#include <string>

struct StartedProgram {
  HANDLE process;
  DWORD id;
};

// Starts the program in its own folder; false when it cannot be started.
bool StartProgram(const std::string &exePath, StartedProgram *program);
// The visible selection dialog of the process (the dialog that holds the font list), or NULL.
HWND FindSelectionDialog(const StartedProgram &program);
// A visible message box of the process, or NULL; *text receives its text.
HWND FindMessageBox(const StartedProgram &program, std::string *text);
// Waits up to ms for the process to end; ends it when it does not, then releases the handle.
void EndProgram(StartedProgram *program, DWORD ms);
