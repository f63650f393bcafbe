// Starting the program as a person's shell would (its path quoted, the arguments after it, a
// show command) and waiting for it to end. Every program started here is in a job that ends it
// when the driver ends, so that nothing outlives the scenario.
#pragma once

#include <windows.h>

#include <string>

struct Program {
  HANDLE process = nullptr;
  DWORD pid = 0;
};

// Starts exePath with the command-line tail args and the show command `show`, from the root of
// drive C:, so the program must find its files through its own path.
bool StartProgram(Program &program, const std::string &exePath, const std::string &args = "",
                  int show = SW_SHOWNORMAL);
// The exit code, or STILL_ACTIVE when the program has not ended within Patience(ms).
DWORD WaitExit(const Program &program, DWORD ms);
