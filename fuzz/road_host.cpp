// The run's host in a case: the pump answers 1 but for the one the case names, and the bar
// capture and updates are recorded, with the number of message boxes seen at each pump so that
// each box can be laid to the font it belongs to.
#include <winsim/sim.h>

#include "install/run_host.h"
#include "road_world.h"

RoadWorld *currentRoad = nullptr;

int PumpMessages(HWND) {
  currentRoad->boxesAtPump.push_back(winsim::MessageBoxes().size());
  return static_cast<int>(currentRoad->boxesAtPump.size()) == currentRoad->input.stopAtPump ? 0 : 1;
}

void CaptureStatBar(HWND) {
  currentRoad->captures++;
}

void UpdateStatBar(HWND, int percent) {
  currentRoad->percents.push_back(percent);
}
