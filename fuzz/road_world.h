// What a case knows about its machine while it runs: where things are, what lay there before,
// what the program's host double saw, and the failures found so far. Shared by the files that
// set a case up (road_case.cpp), play the run's host (road_host.cpp) and check it (road_check.cpp).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "road_case.h"

// A file name in upper case as CharUpperA makes it, and the .Fot name the run gives it.
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

  // The run's host double records here.
  std::vector<size_t> boxesAtPump;  // message boxes shown before each pump
  std::vector<int> percents;
  int captures = 0;
};

// The live case, for the host double.
extern RoadWorld *currentRoad;

Snapshot TakeSnapshot(const RoadWorld &world);
std::vector<TableRow> ReadTable();

// The properties, each adding to world.failures.
void CheckLoader(RoadWorld &world, int result, const Snapshot &before, bool faultFired);
void CheckRun(RoadWorld &world, const std::vector<TableRow> &table, const Snapshot &before,
              size_t firstBox);
void CheckNothingLeft(RoadWorld &world, int tableBlocks);
