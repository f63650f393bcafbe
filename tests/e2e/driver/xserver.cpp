// Screenshots through /usr/bin/import, started from inside Wine: WinExec runs a Unix executable
// directly, with the Unix environment (DISPLAY included) Wine passed to this process.
#include "xserver.h"

#include <windows.h>

#include <algorithm>

#include "report.h"
#include "scene.h"

namespace {

std::string folder;

// The file as this Windows process reaches it, through drive Z: (the whole Unix file system).
std::string InOutput(const std::string &name) {
  return "Z:" + folder + "/" + name;
}

}  // namespace

void SetOutputFolder(const std::string &unixFolder) {
  folder = unixFolder;
}

bool Shot(const std::string &name) {
  if (folder.empty()) return false;
  // -silent: import rings the bell otherwise, which the bells' count would hear.
  std::string command = "Z:\\usr\\bin\\import -silent -window root " + folder + "/" + name + ".png";
  bool started = WinExec(command.c_str(), SW_HIDE) >= 32;
  // The handle Wine gives for a Unix process tells neither when it ends nor how: the picture is
  // saved once its file exists and has stopped growing.
  size_t size = 0, lastSize = 1;
  for (int i = 0; started && i < 150 && !(size > 0 && size == lastSize); i++) {
    Sleep(100);
    lastSize = size;
    size = ReadBytes(InOutput(name + ".png")).size();
  }
  Note("screenshot " + name + ".png" + (size > 0 ? "" : " not saved"));
  return size > 0;
}

int Bells() {
  std::string lines = ReadBytes(InOutput("bells"));
  return static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
}
