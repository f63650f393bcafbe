// The stand-ins for the progress bar that the run's host has on the host build, beside the real
// pump: each bar call notes what the run reported and the message boxes shown so far, and gives
// the user's Cancel before the pump that the record names (see RunHostRecord).
#include <winsim/sim.h>

#include "install/run_host.h"
#include "road_world.h"
#include "shell/globals.h"

RunHostRecord runHost;

namespace {

// A bar call comes just before the next pump, if there is one.
void BeforeNextPump(HWND dialog) {
  runHost.boxesAtPump.push_back(winsim::MessageBoxes().size());
  if (static_cast<int>(runHost.boxesAtPump.size()) == runHost.stopAtPump) {
    PostMessageA(dialog, WM_STOPINSTALL, 0, 0);
  }
}

}  // namespace

void CaptureStatBar(HWND dialog) {
  runHost.captures++;
  BeforeNextPump(dialog);
}

void UpdateStatBar(HWND dialog, int percent) {
  runHost.percents.push_back(percent);
  BeforeNextPump(dialog);
}
