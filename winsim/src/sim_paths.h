// Windows path names in winsim: making a name fully qualified the way Windows does, and finding
// the drive's file (sim_drive.h) that a qualified name on drive C: stands for, without regard to
// case.
#pragma once

#include <windows.h>

#include <string>

namespace winsim::detail {

// The fully qualified form of a name, relative to the current directory: "/" taken as "\",
// repeated backslashes, "." and ".." components collapsed, trailing dots and spaces dropped,
// device names (CON, NUL, AUX, PRN, COM1-9, LPT1-9, with any extension, in any directory)
// turned into \\.\NAME. False for the empty name.
bool QualifyPath(const std::string &name, std::string *full);

// Where a name lives on the drive, for a file operation. On success *host is the drive path and
// *exists tells whether something is there; the last component, when absent, keeps its spelling.
// On failure the Windows error code is returned (a name that cannot name a file, a path on
// another drive, a missing directory), else ERROR_SUCCESS.
DWORD LocateFile(const std::string &name, std::string *host, bool *exists);

// The drive path a Windows path stands for, as winsim::HostPath gives it on either backing.
std::string DrivePath(const std::string &winPath);

}  // namespace winsim::detail
