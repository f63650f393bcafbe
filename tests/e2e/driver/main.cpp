// The end-to-end driver: runs one scenario against a built Quillbox.exe in the Wine prefix it
// runs in, prints PASS and FAIL lines, and ends with "NAME: N checks passed, M failed" and exit
// code 0 only when it checked something and every check passed.
//
//   e2e_driver SCENARIO QUILLBOX_EXE LOG_FILE [OUTPUT_FOLDER]
//
// QUILLBOX_EXE and LOG_FILE are Windows paths; OUTPUT_FOLDER is the Unix path where screenshots
// are saved and bells counted.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "report.h"
#include "scenarios.h"
#include "scene.h"
#include "xserver.h"

namespace {

struct Scenario {
  const char *name;
  void (*run)();
  bool inSuite;  // false: run on request only (scripts/demo.sh)
};
constexpr bool InSuite = true;
constexpr bool OnRequest = false;

// One entry a line, in the form CMake reads to make a test of each entry marked InSuite.
const Scenario Scenarios[] = {
    {"road-of-one-font", RoadOfOneFont, InSuite},
    {"task-bar-and-close-box", TaskBarAndCloseBox, InSuite},
    {"second-start-and-refused-close", SecondStartAndRefusedClose, InSuite},
    {"demo", Demo, OnRequest},
    {"demo-folder", DemoFolder, OnRequest},
};

}  // namespace

int main(int argc, char **argv) {
  for (const Scenario &scenario : Scenarios) {
    if (argc < 4 || strcmp(scenario.name, argv[1]) != 0) continue;
    SetProgramSource(argv[2]);
    OpenReport(argv[3]);
    if (argc > 4) SetOutputFolder(argv[4]);
    scenario.run();
    return CloseReport(scenario.name) ? 0 : 1;
  }
  fprintf(stderr, "usage: e2e_driver SCENARIO QUILLBOX_EXE LOG_FILE [FOLDER]\n");
  return 2;
}
