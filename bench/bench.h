// qb_bench.exe, run by scripts/bench.sh under Wine from a scratch folder that also holds copies of
// Quillbox.exe and qb_hello.exe. That folder is where GetModuleFileNameA points, so it is the
// program's folder for LoadFontList here and for the programs started beside it. Each command
// prints Markdown table rows ("| ...") and plot points ("plot ...") on stdout.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point start) {
  return std::chrono::duration<double>(BenchClock::now() - start).count();
}

struct BenchLine {
  std::string fileName;  // 1 to 3 letters or digits, no dot
  std::string fontName;  // the same name, with an X added to the last ones of the largest list
};

constexpr int LargestList = -1;  // as a line count: as many lines as 65,000 bytes hold

double Median(std::vector<double> values);
// This program's folder, with its backslash.
std::string HereDir();
const char *BuildName();
bool WriteHere(const std::string &name, const std::string &bytes);
// Writes Quillbox.Lst with the first `count` shortest lines (or the largest list) and an empty
// font file beside it for each line; false after saying why on stderr.
bool LayOutList(int count, std::vector<BenchLine> *lines);

int StartCommand(int count, int repeats);  // start LINES REPEATS
int RunCommand(int fonts);                 // run FONTS
