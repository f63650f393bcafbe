// CreateProcess with STARTF_USESHOWWINDOW, in a job that is closed (and its processes killed)
// with the driver's last handle to it.
#include "process.h"

#include "report.h"
#include "screen.h"

bool StartProgram(Program &program, const std::string &exePath, const std::string &args, int show) {
  static HANDLE job = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  std::string command = "\"" + exePath + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(exePath.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                      &startup, &info)) {
    return Expect(false, "the program starts",
                  Format("%s: error %lu", command.c_str(), GetLastError()));
  }
  AssignProcessToJobObject(job, info.hProcess);
  CloseHandle(info.hThread);
  program.process = info.hProcess;
  program.pid = info.dwProcessId;
  Note(
      Format("started %s (show command %d, process %lu)", command.c_str(), show, info.dwProcessId));
  return true;
}

DWORD WaitExit(const Program &program, DWORD ms) {
  DWORD code = STILL_ACTIVE;
  WaitUntil([&] { return WaitForSingleObject(program.process, 0) != WAIT_TIMEOUT; }, ms);
  GetExitCodeProcess(program.process, &code);
  return code;
}
