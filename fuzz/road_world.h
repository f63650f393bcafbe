// What a case knows about its machine while it runs: where things are, what lay there before,
// what the run's host saw, and the failures found so far. Shared by the files that set a case up
// (road_case.cpp), play the run's host (road_host.cpp) and check it (road_check.cpp).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <winsim/sim.h>

#include "road_case.h"

// A file name in upper case as CharUpperA makes it, and the .Fot name the program gives it (empty
// when it would not fit the program's buffer).
std::string UpperName(const std::string &name);
std::string ResourceNameOf(const std::string &upperName);

struct TableRow {
  std::string fileName;
  std::string fontName;
  int fileSize = 0;
  int selected = 0;
};

// The files of one directory by host name, and WIN.INI as lines.
struct Snapshot {
  std::map<std::string, std::string> programFiles;
  std::map<std::string, std::string> systemFiles;
  std::vector<std::string> winIni;
};

struct RoadWorld {
  RoadInput input;
  std::vector<ListLine> lines;
  std::string programDir;  // Windows paths, each with its backslash
  std::string systemDir;
  std::string failures;

  void Fail(const std::string &what) {
    if (failures.size() < 4000) failures += what + "\n";
  }

  // What the run's host saw (copied from runHost once the run is over).
  std::vector<size_t> boxesAtPump;  // message boxes shown before each pump
  std::vector<int> percents;
  int captures = 0;
};

// The run's host on the host build is the real pump with stand-ins for the progress bar
// (road_host.cpp), which note here what the run reported and the message boxes shown before each
// pump (at the bar call that comes before it: the capture, then each font's update; after the
// last font no pump follows), and give the user's Cancel there: the run marked stopped, as the
// progress dialog marks it, for the pump to answer 0 at once. The host tests of the run use it
// too.
struct RunHostRecord {
  int stopAtPump = 0;  // the pump (1 = before the first font) that finds the run stopped
  int captures = 0;
  std::vector<int> percents;
  std::vector<size_t> boxesAtPump;
};
extern RunHostRecord runHost;

// Starts the case's machine on an empty drive with the case's folder, files and WIN.INI laid out
// (no fault armed, nothing chosen); the machine ends with the returned guard. The drive lives in
// memory: a case lays out and checks a few dozen files, thousands of times a second.
std::unique_ptr<winsim::Machine> LayOutMachine(RoadWorld &world);

Snapshot TakeSnapshot(const RoadWorld &world);
std::vector<TableRow> ReadTable();

// The properties, each adding to world.failures.
void CheckLoader(RoadWorld &world, int result, const Snapshot &before, bool faultFired);
void CheckRun(RoadWorld &world, const std::vector<TableRow> &table, const Snapshot &before,
              size_t firstBox);
void CheckNothingLeft(RoadWorld &world, int tableBlocks);
