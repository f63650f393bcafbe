// `loader DIR LINES REPEATS`: LoadFontList on a list of the shortest lines, with the name index
// and with plain scans, beside the floor measured in the same process; and Install's mapping of
// every list item to its record, both ways. The measurements of one repeat run back to back and
// each is reported as the median over the repeats; then the loader's steps are timed one by one,
// once.
#include <cstdio>
#include <cstdlib>

#include "bench_commands.h"
#include "bench_floor.h"
#include "bench_lines.h"
#include "bench_place.h"
#include "bench_stats.h"
#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "loader_steps.h"
#include "shell/globals.h"

namespace {

struct LoaderSamples {
  std::vector<double> load, plainLoad, floor, fontFiles, resourceFiles, profileKeys, nameParses,
      fullPathNames;
  std::vector<double> mapping, plainMapping;
};

// One load, timed, with or without the name index; false when the table is not one record per
// line.
bool TimeLoad(size_t expected, int plainScans, double *seconds) {
  ReleaseFontList();
  PlainTableScans = plainScans;
  BenchClock::time_point start = BenchClock::now();
  int loaded = LoadFontList();
  *seconds = SecondsSince(start);
  PlainTableScans = 0;
  if (!loaded || FontCount != static_cast<int>(expected) || foundCount != FontCount) {
    std::fprintf(stderr, "the loader took %d of %zu lines (found %d)\n", FontCount, expected,
                 foundCount);
    return false;
  }
  return true;
}

// What Install does to map the list's items to records, every item selected: one FindByFontName
// per name, on the loaded table. False when a name does not find its own record.
bool TimeMapping(const std::vector<BenchLine> &lines, int plainScans, double *seconds) {
  PlainTableScans = plainScans;
  bool right = true;
  BenchClock::time_point start = BenchClock::now();
  for (size_t i = 0; i < lines.size(); i++)
    if (FindByFontName(lines[i].fontName.c_str()) != static_cast<int>(i)) right = false;
  *seconds = SecondsSince(start);
  PlainTableScans = 0;
  if (!right) std::fprintf(stderr, "a font name did not find its own record\n");
  return right;
}

}  // namespace

int LoaderCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  hInst = PlaceInstance();
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  int repeats = std::atoi(args[2].c_str());
  double count = static_cast<double>(lines.size());

  LoaderSamples samples;
  for (int repeat = 0; repeat < repeats; repeat++) {
    FloorTimes floor = MeasureFloor(lines);
    if (floor.fontFilesFound != static_cast<int>(lines.size()) || floor.resourcesFound != 0 ||
        floor.keysFound != 0) {
      std::fprintf(stderr, "the place is not laid out for %zu lines\n", lines.size());
      return 1;
    }
    double load = 0.0, plainLoad = 0.0, mapping = 0.0, plainMapping = 0.0;
    if (!TimeLoad(lines.size(), 0, &load) || !TimeMapping(lines, 0, &mapping) ||
        !TimeMapping(lines, 1, &plainMapping) || !TimeLoad(lines.size(), 1, &plainLoad))
      return 1;
    ReleaseFontList();
    samples.load.push_back(load);
    samples.plainLoad.push_back(plainLoad);
    samples.mapping.push_back(mapping);
    samples.plainMapping.push_back(plainMapping);
    samples.floor.push_back(floor.total);
    samples.fontFiles.push_back(floor.fontFiles);
    samples.resourceFiles.push_back(floor.resourceFiles);
    samples.profileKeys.push_back(floor.profileKeys);
    samples.nameParses.push_back(floor.nameParses);
    samples.fullPathNames.push_back(floor.fullPathNames);
  }
  // The steps once: at the largest size a pass takes as long as a load.
  StepTimes steps = TimeLoaderSteps(lines);
  ReleaseFontList();

  double load = Median(samples.load);
  double plainLoad = Median(samples.plainLoad);
  double floor = Median(samples.floor);
  // | platform | lines | load | load, plain scans | floor | load/floor | plain/floor |
  // per line: load, floor | Install mapping: index, plain scans | steps ... |
  std::printf(
      "| %s | %zu | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n",
      PlatformName(), lines.size(), Milliseconds(load).c_str(), Milliseconds(plainLoad).c_str(),
      Milliseconds(floor).c_str(), Ratio(load / floor).c_str(), Ratio(plainLoad / floor).c_str(),
      Microseconds(load / count).c_str(), Microseconds(floor / count).c_str(),
      Milliseconds(Median(samples.mapping)).c_str(),
      Milliseconds(Median(samples.plainMapping)).c_str(), Milliseconds(steps.fileScans).c_str(),
      Milliseconds(steps.fontScans).c_str(), Milliseconds(steps.growth).c_str(),
      Milliseconds(steps.shortNames).c_str(),
      Milliseconds(steps.fontFiles + steps.resourceFiles + steps.profileKeys).c_str());
  // The floor's three lookups per line, and beside them one OF_PARSE and one GetFullPathNameA.
  std::printf("floor-row | %s | %zu | %s | %s | %s | %s | %s | %s |\n", PlatformName(),
              lines.size(), Microseconds(Median(samples.fontFiles) / count).c_str(),
              Microseconds(Median(samples.resourceFiles) / count).c_str(),
              Microseconds(Median(samples.profileKeys) / count).c_str(),
              Microseconds(floor / count).c_str(),
              Microseconds(Median(samples.nameParses) / count).c_str(),
              Microseconds(Median(samples.fullPathNames) / count).c_str());
  std::printf("plot %zu %.6f %.6f %.6f %.6f %.6f\n", lines.size(), load, floor, plainLoad,
              Median(samples.mapping), Median(samples.plainMapping));
  return 0;
}

int LoadCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  hInst = PlaceInstance();
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  int plainScans = args.size() > 2 && args[2] == "plain";
  double seconds = 0.0;
  if (!TimeLoad(lines.size(), plainScans, &seconds)) return 1;
  ReleaseFontList();
  std::printf("%zu lines loaded in %s ms%s\n", lines.size(), Milliseconds(seconds).c_str(),
              plainScans ? " with plain scans" : "");
  return 0;
}
