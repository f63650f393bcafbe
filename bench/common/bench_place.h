// Where a benchmark works, the same calls on both platforms: on the host a winsim machine whose
// drive C: is a host folder, under Wine the folder that holds the benchmark program itself.
#pragma once

#include <windows.h>

#include <string>

// Makes dir the place to work in: on the host a fresh winsim machine on the host folder dir, with
// the program in C:\QB; under Wine dir must be (a spelling of) this program's own folder.
// False, after saying why on stderr, when it cannot.
bool OpenPlace(const std::string &dir);
// Windows paths, each ending in a backslash.
std::string ProgramDir();
std::string SystemDir();
// "host (winsim)", "Wine (x86_64)" or "Wine (i686)", for the first column of the result tables.
const char *PlatformName();
// The instance whose module path lies in ProgramDir(), for hInst.
HINSTANCE PlaceInstance();
// Creates or replaces the file name in the Windows directory path dir; false on failure.
bool WriteWholeFile(const std::string &dir, const std::string &name, const std::string &bytes);
// The processor time (user and kernel) this process has used, in seconds.
double ProcessCpuSeconds();
