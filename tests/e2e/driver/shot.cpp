// Runs /usr/bin/import from inside Wine: CreateProcess starts a Unix executable directly, with
// the Unix environment (DISPLAY included) that Wine passed on to this process.
#include "shot.h"

#include <windows.h>

#include "report.h"

namespace {
std::string folder;
}

void SetShotFolder(const std::string &unixFolder) {
  folder = unixFolder;
}

bool Shot(const std::string &name) {
  if (folder.empty()) return false;
  std::string target = folder + "/" + name + ".png";
  std::string command = "/usr/bin/import -window root " + target;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA("Z:\\usr\\bin\\import", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    Note("screenshot %s not taken: error %lu", target.c_str(), GetLastError());
    return false;
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  // The handle Wine gives for a Unix process tells neither when it ends nor how: the picture is
  // saved once its file exists and has stopped growing.
  std::string windowsTarget = "Z:" + target;
  for (char &c : windowsTarget) {
    if (c == '/') c = '\\';
  }
  bool saved = false;
  long long lastSize = -1;
  for (int i = 0; i < 150 && !saved; i++) {
    Sleep(100);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(windowsTarget.c_str(), GetFileExInfoStandard, &data)) continue;
    long long size = data.nFileSizeLow;
    saved = size > 0 && size == lastSize;
    lastSize = size;
  }
  Note("screenshot %s%s", target.c_str(), saved ? "" : " not saved");
  return saved;
}
