// Under Wine every Windows process is a Linux process, and Linux's /proc (on drive Z:) knows what
// Wine's GetProcessTimes does not report for another process: its processor time. The wineserver,
// which does much of a Wine program's work, is visible there too.
#pragma once

#include <string>

// The Linux process whose first command-line word is exePath (a Windows path, compared without
// regard to case), or 0 when there is none.
long FindUnixProcess(const std::string &exePath);
// User and system time of the Linux process in seconds; -1 when /proc cannot be read.
double UnixCpuSeconds(long pid);
// Its peak resident set (VmHWM) in bytes; -1 when /proc cannot be read.
double UnixPeakResident(long pid);
