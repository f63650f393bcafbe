// `start DIR LINES REPEATS`: on the host the program runs in this process against winsim, from
// RunProgram until its message loop first waits with the selection dialog shown, with the name
// index and with plain scans; the floor is measured in the same repeat. The host has no process
// to start and no working set to report.
#include <cstdio>
#include <cstdlib>

#include "common/bench_commands.h"
#include "common/bench_floor.h"
#include "common/bench_place.h"
#include "common/bench_stats.h"
#include "catalog/font_table.h"
#include "shell/app_main.h"
#include "shell/globals.h"
#include "winsim/user32_sim.h"

namespace {

BenchClock::time_point runStart;
double dialogShownAfter;

// At each moment the program's loop would wait: once the selection dialog is visible, the time
// is taken and the program asked to end; before that, wait for the next moment.
void WatchForDialog() {
  if (hFontDial != NULL && IsWindowVisible(hFontDial)) {
    dialogShownAfter = SecondsSince(runStart);
    PostQuitMessage(0);
    return;
  }
  winsim::user32::WhenIdle(WatchForDialog);
}

}  // namespace

// RunProgram once, until the dialog is shown; -1 when it never was.
double TimeRun(int plainScans) {
  hFontDial = NULL;
  dialogShownAfter = -1.0;
  PlainTableScans = plainScans;
  winsim::user32::WhenIdle(WatchForDialog);
  runStart = BenchClock::now();
  RunProgram(PlaceInstance(), "", SW_SHOWNORMAL);
  PlainTableScans = 0;
  return dialogShownAfter;
}

int StartCommand(const Arguments &args) {
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  int repeats = std::atoi(args[2].c_str());
  const char *programs[] = {"RunProgram", "RunProgram, plain scans"};
  std::vector<double> floors, shown[2], ratios[2];
  for (int repeat = 0; repeat < repeats; repeat++) {
    if (!OpenPlace(args[0])) return 1;
    double floor = MeasureFloor(lines).total;
    floors.push_back(floor);
    for (int plainScans = 0; plainScans < 2; plainScans++) {
      if (!OpenPlace(args[0])) return 1;
      double seconds = TimeRun(plainScans);
      if (seconds < 0.0) {
        std::fprintf(stderr, "the selection dialog was never shown\n");
        return 1;
      }
      shown[plainScans].push_back(seconds);
      ratios[plainScans].push_back(seconds / floor);
    }
  }
  for (int plainScans = 0; plainScans < 2; plainScans++) {
    // | platform | program | lines | start to dialog | floor | ratio | peak working set |
    std::printf("| %s | %s | %zu | %s | %s | %s | - |\n", PlatformName(), programs[plainScans],
                lines.size(), Milliseconds(Median(shown[plainScans])).c_str(),
                Milliseconds(Median(floors)).c_str(), Ratio(Median(ratios[plainScans])).c_str());
    std::printf("plot %s %zu %.6f %.6f\n", plainScans ? "RunProgramPlainScans" : "RunProgram",
                lines.size(), Median(shown[plainScans]), Median(floors));
  }
  return 0;
}

int FontRunCommand(const Arguments &) {
  std::fprintf(stderr, "the run is timed under Wine only: the host's clock is virtual\n");
  return 2;
}
