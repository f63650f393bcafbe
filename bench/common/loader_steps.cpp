// The loader's per-line steps, each timed. Every line of a benchmark list is accepted, so each
// step runs for every line, as in the loader.
#include "loader_steps.h"

#include <windows.h>

#include "bench_stats.h"
#include "catalog/directories.h"
#include "catalog/file_ops.h"
#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "catalog/resource_name.h"

namespace {

int MeasureIn(const char *directory, const char *fileName) {
  char path[PathSize];
  lstrcpyA(path, directory);
  if (!AppendToPath(path, fileName)) return -1;
  return GetFileLength(path);
}

}  // namespace

StepTimes TimeLoaderSteps(const std::vector<BenchLine> &lines) {
  StepTimes times = {};
  char programDirectory[PathSize];
  char systemDirectory[PathSize];
  GetProgramDirectory(programDirectory);
  GetSystemDirectoryPath(systemDirectory);
  ReleaseFontList();
  for (const BenchLine &line : lines) {
    const char *fileName = line.fileName.c_str();
    const char *fontName = line.fontName.c_str();
    BenchClock::time_point mark = BenchClock::now();
    auto lap = [&mark](double *total) {
      BenchClock::time_point now = BenchClock::now();
      *total += std::chrono::duration<double>(now - mark).count();
      mark = now;
    };
    IsPlainShortName(fileName);
    lap(&times.shortNames);
    FindByFileName(fileName);
    lap(&times.fileScans);
    int fileSize = MeasureIn(programDirectory, fileName);
    lap(&times.fontFiles);
    FindByFontName(fontName);
    lap(&times.fontScans);
    char resourceName[FileNameSize];
    MakeResourceName(fileName, resourceName);
    MeasureIn(systemDirectory, resourceName);
    lap(&times.resourceFiles);
    char value[PathSize];
    GetProfileStringA("Fonts", fontName, "", value, PathSize);
    lap(&times.profileKeys);
    AppendFontItem(fileName, fontName, fileSize);
    lap(&times.growth);
  }
  return times;
}
