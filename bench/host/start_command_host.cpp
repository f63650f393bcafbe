// `start DIR LINES REPEATS`: on the host the program runs in this process against winsim, from
// RunProgram until its message loop first waits with the selection dialog shown; the floor is
// measured in the same repeat. The host has no process to start and no working set to report.
#include <cstdio>
#include <cstdlib>

#include "common/bench_commands.h"
#include "common/bench_floor.h"
#include "common/bench_place.h"
#include "common/bench_stats.h"
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

int StartCommand(const Arguments &args) {
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  int repeats = std::atoi(args[2].c_str());
  std::vector<double> shown, floors, ratios;
  for (int repeat = 0; repeat < repeats; repeat++) {
    if (!OpenPlace(args[0])) return 1;
    double floor = MeasureFloor(lines).total;
    if (!OpenPlace(args[0])) return 1;
    hFontDial = NULL;
    dialogShownAfter = -1.0;
    winsim::user32::WhenIdle(WatchForDialog);
    runStart = BenchClock::now();
    RunProgram(PlaceInstance(), "", SW_SHOWNORMAL);
    if (dialogShownAfter < 0.0) {
      std::fprintf(stderr, "the selection dialog was never shown\n");
      return 1;
    }
    shown.push_back(dialogShownAfter);
    floors.push_back(floor);
    ratios.push_back(dialogShownAfter / floor);
  }
  // | platform | program | lines | start to dialog | floor | ratio | peak working set |
  std::printf("| %s | RunProgram | %zu | %s | %s | %s | - |\n", PlatformName(), lines.size(),
              Milliseconds(Median(shown)).c_str(), Milliseconds(Median(floors)).c_str(),
              Ratio(Median(ratios)).c_str());
  std::printf("plot RunProgram %zu %.6f %.6f\n", lines.size(), Median(shown), Median(floors));
  return 0;
}

int FontRunCommand(const Arguments &) {
  std::fprintf(stderr, "the run is timed under Wine only: the host's clock is virtual\n");
  return 2;
}
