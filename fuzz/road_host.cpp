// The stand-ins for the progress bar that the run's host has on the host build, beside the real
// pump: each bar call notes what the run reported and the message boxes shown so far, and marks
// the run stopped before the pump that the record names (see RunHostRecord).
#include <winsim/sim.h>

#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "road_world.h"

RunHostRecord runHost;

namespace {

// A bar call comes just before the next pump, if there is one. The user's Cancel, taken while the
// run was busy, marks the run stopped, as the progress dialog does with it.
void BeforeNextPump() {
  runHost.boxesAtPump.push_back(winsim::MessageBoxes().size());
  if (static_cast<int>(runHost.boxesAtPump.size()) == runHost.stopAtPump) StatStopped = 1;
}

}  // namespace

void CaptureStatBar(HWND) {
  runHost.captures++;
  BeforeNextPump();
}

void UpdateStatBar(HWND, int percent) {
  runHost.percents.push_back(percent);
  BeforeNextPump();
}
