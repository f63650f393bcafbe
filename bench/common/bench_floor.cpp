// Times the loader's three lookups for every line of a list with the platform calls alone; the
// paths are built beforehand so that only the calls are timed.
#include "bench_floor.h"

#include <windows.h>

#include <string>

#include "bench_place.h"
#include "bench_stats.h"

namespace {

constexpr int ValueSize = 128;  // the loader's buffer for a WIN.INI value

struct FloorPaths {
  std::vector<std::string> fontFiles;
  std::vector<std::string> resourceFiles;
  std::vector<std::string> rootNames;
};

int OpenAndSeek(const std::string &path) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return 0;
  _llseek(file, 0, FILE_END);
  _lclose(file);
  return 1;
}

int ReadKey(const std::string &fontName) {
  char value[ValueSize];
  GetProfileStringA("Fonts", fontName.c_str(), "", value, ValueSize);
  return value[0] != '\0';
}

int Parse(const std::string &path) {
  OFSTRUCT parsed = {};
  return OpenFile(path.c_str(), &parsed, OF_PARSE) != HFILE_ERROR;
}

int Qualify(const std::string &path) {
  char full[OFS_MAXPATHNAME];
  return GetFullPathNameA(path.c_str(), OFS_MAXPATHNAME, full, NULL) != 0;
}

}  // namespace

FloorTimes MeasureFloor(const std::vector<BenchLine> &lines) {
  FloorPaths paths;
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string root(windows, 3);
  for (const BenchLine &line : lines) {
    paths.rootNames.push_back(root + line.fileName);
    paths.fontFiles.push_back(ProgramDir() + line.fileName);
    paths.resourceFiles.push_back(SystemDir() + ResourceNameOf(line.fileName));
  }
  FloorTimes times = {};
  size_t count = lines.size();

  BenchClock::time_point start = BenchClock::now();
  for (size_t i = 0; i < count; i++) {
    OpenAndSeek(paths.fontFiles[i]);
    OpenAndSeek(paths.resourceFiles[i]);
    ReadKey(lines[i].fontName);
  }
  times.total = SecondsSince(start);

  start = BenchClock::now();
  for (size_t i = 0; i < count; i++) times.fontFilesFound += OpenAndSeek(paths.fontFiles[i]);
  times.fontFiles = SecondsSince(start);
  start = BenchClock::now();
  for (size_t i = 0; i < count; i++) times.resourcesFound += OpenAndSeek(paths.resourceFiles[i]);
  times.resourceFiles = SecondsSince(start);
  start = BenchClock::now();
  for (size_t i = 0; i < count; i++) times.keysFound += ReadKey(lines[i].fontName);
  times.profileKeys = SecondsSince(start);
  start = BenchClock::now();
  for (size_t i = 0; i < count; i++) Parse(paths.rootNames[i]);
  times.nameParses = SecondsSince(start);
  start = BenchClock::now();
  for (size_t i = 0; i < count; i++) Qualify(paths.rootNames[i]);
  times.fullPathNames = SecondsSince(start);
  return times;
}
