// The floor of the loader: the three lookups that each line needs (open and seek the font file
// beside the program, look for its .Fot file in the system directory, read its WIN.INI key),
// made with the bare platform calls and nothing of the program around them.
#pragma once

#include <vector>

#include "bench_lines.h"

struct FloorTimes {
  double total;          // the three lookups line by line, in the loader's order
  double fontFiles;      // each kind alone, over all lines
  double resourceFiles;  //
  double profileKeys;    //
  double nameParses;     // not part of the floor: one OF_PARSE of each file name in the root of
                         // the Windows drive (the loader's 8.3 test made two per line)
  double fullPathNames;  // the same parse by GetFullPathNameA (what the 8.3 test makes now)
  int fontFilesFound;    // what the lookups saw, to check the place: every font file present,
  int resourcesFound;    // no .Fot file,
  int keysFound;         // no WIN.INI key
};

FloorTimes MeasureFloor(const std::vector<BenchLine> &lines);
