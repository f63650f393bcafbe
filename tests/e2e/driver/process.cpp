// CreateProcess with STARTF_USESHOWWINDOW, and the list of what was started.
#include "process.h"

#include <vector>

#include "report.h"
#include "screen.h"

namespace {
std::vector<HANDLE> started;
}

bool StartProgram(Program &program, const std::string &exePath, const std::string &args, int show) {
  std::string command = "\"" + exePath + "\"";
  if (!args.empty()) command += " " + args;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(exePath.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                      &startup, &info)) {
    Note("could not start %s: error %lu", command.c_str(), GetLastError());
    return false;
  }
  CloseHandle(info.hThread);
  program.process = info.hProcess;
  program.pid = info.dwProcessId;
  started.push_back(info.hProcess);
  Note("started %s (show command %d, process %lu)", command.c_str(), show, info.dwProcessId);
  return true;
}

DWORD WaitExit(const Program &program, DWORD ms) {
  if (!program.process) return STILL_ACTIVE;
  ms = Patience(ms);
  DWORD start = GetTickCount();
  while (WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT && GetTickCount() - start < ms) {
    Pause(20);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(program.process, &code);
  return code;
}

bool Running(const Program &program) {
  return WaitExit(program, 0) == STILL_ACTIVE;
}

void EndStartedPrograms() {
  for (HANDLE process : started) {
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE) {
      Note("the scenario ends with a program still running: terminated");
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
  }
  started.clear();
}
