// Where the loader's time goes: its steps for each line, made in its order with the program's own
// routines and each timed, so that the table scans, the growth of the block, the 8.3 parse and
// the three lookups can be told apart in one pass.
#pragma once

#include <vector>

#include "bench_lines.h"

struct StepTimes {
  double shortNames;     // IsPlainShortName: two OF_PARSE calls
  double fileScans;      // FindByFileName
  double fontFiles;      // the font file measured beside the program
  double fontScans;      // FindByFontName
  double resourceFiles;  // the .Fot file looked for in the system directory
  double profileKeys;    // the WIN.INI key read
  double growth;         // AppendFontItem: one GlobalReAlloc per record
  double Sum() const {
    return shortNames + fileScans + fontFiles + fontScans + resourceFiles + profileKeys + growth;
  }
};

// Builds the table from the lines as the loader would (every line is expected to be accepted);
// hInst must be set. The table is left filled.
StepTimes TimeLoaderSteps(const std::vector<BenchLine> &lines);
