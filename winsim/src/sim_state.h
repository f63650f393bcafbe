// The simulated machine's state, shared by winsim's source files (not part of the test API).
#pragma once

#include <windows.h>

#include <string>

#include "winsim/sim.h"

namespace winsim::detail {

struct State {
  std::string hostRoot;  // the host folder that stands for C:
  std::string modulePath = "C:\\QB\\QUILLBOX.EXE";
  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\SYSTEM";
  std::string currentDir = "C:\\QB";
  DWORD lastError = 0;
};

// The live machine; aborts when no Reset has started one.
State &Machine();
bool MachineLive();
// Creates the host folders of a Windows directory path, parents first.
void MakeDirectories(const std::string &winPath);

}  // namespace winsim::detail
