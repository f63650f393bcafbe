// Time on the virtual clock of sim.h: GetTickCount reads it and moves it on by a step, so that
// a polling loop ends; Sleep moves it at once instead of waiting.
#include <windows.h>

#include "sim_state.h"

DWORD WINAPI GetTickCount(void) {
  winsim::detail::State &state = winsim::detail::Machine();
  DWORD now = state.ticks;
  state.ticks += state.tickStep;
  return now;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
  winsim::detail::State &state = winsim::detail::Machine();
  state.ticks += dwMilliseconds;
  state.slept += dwMilliseconds;
}
