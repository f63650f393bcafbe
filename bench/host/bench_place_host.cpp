// The host's place: a winsim machine on a host folder, with the program in C:\QB. Files are
// written straight into the host folder, since the list of a benchmark can hold thousands.
#include "common/bench_place.h"

#include <sys/stat.h>
#include <time.h>

#include <cstdio>
#include <fstream>

#include "winsim/sim.h"

bool OpenPlace(const std::string &dir) {
  struct stat info;
  if (stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    std::fprintf(stderr, "no folder %s\n", dir.c_str());
    return false;
  }
  winsim::Reset(dir);
  winsim::SetModulePath("C:\\QB\\QB_BENCH.EXE");
  return true;
}

std::string ProgramDir() {
  return "C:\\QB\\";
}

std::string SystemDir() {
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, sizeof path);
  std::string dir(path, length);
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

const char *PlatformName() {
  return "host (winsim)";
}

HINSTANCE PlaceInstance() {
  return winsim::ModuleHandle();
}

bool WriteWholeFile(const std::string &dir, const std::string &name, const std::string &bytes) {
  std::ofstream file(winsim::HostPath(dir) + "/" + name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

double ProcessCpuSeconds() {
  timespec time;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
  return time.tv_sec + time.tv_nsec * 1e-9;
}
