// The list files the benchmarks load: the shortest valid lines, so that a list of 65,000 bytes
// holds as many lines as a list file can, every one naming a file that is present.
#pragma once

#include <string>
#include <vector>

struct BenchLine {
  std::string fileName;  // a bare name of 1 to 3 letters or digits, no dot
  std::string fontName;  // 1 to 4 letters or digits
};

constexpr int LargestListBytes = 65000;
constexpr int LargestList = -1;  // as a line count: as many lines as fit in 65,000 bytes

// The first `count` lines (or, for LargestList, the whole largest list, whose last font names are
// lengthened so that the file has exactly 65,000 bytes). Names are unique in any letter case.
std::vector<BenchLine> ShortestLines(int count);
// The list file: each line "fileName fontName" and CR LF.
std::string ListText(const std::vector<BenchLine> &lines);
// The .Fot name the loader looks for: the file name with ".Fot" added (these names have no dot).
std::string ResourceNameOf(const std::string &fileName);
