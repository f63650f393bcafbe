// The pump on winsim's virtual clock: 500 ms of polling without waiting, also across the tick
// count's wrap-around; every message of the thread dispatched in order; 0 at once for a run
// marked stopped, before or by what it dispatches (what is queued behind stays), and for a quit
// request, which it leaves queued.
#include <gtest/gtest.h>
#include <winsim/sim.h>

#include "common/sandbox.h"
#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "shell/globals.h"

namespace {

std::vector<std::pair<HWND, UINT>> dispatched;
HWND dialog;

// Records what it is dispatched; the dialog's procedure marks the run stopped on WM_STOPINSTALL,
// as the progress dialog does.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  dispatched.push_back({window, message});
  if (window == dialog && message == WM_STOPINSTALL) StatStopped = 1;
  return DefWindowProcA(window, message, wParam, lParam);
}

class PumpTest : public testing::Test {
 protected:
  PumpTest() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "QbPumpTest";
    RegisterClassA(&windowClass);
    dialog = CreateWindowExA(0, "QbPumpTest", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    other = CreateWindowExA(0, "QbPumpTest", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    dispatched.clear();
    StatStopped = 0;
  }
  Sandbox sandbox;
  HWND other;
};

TEST_F(PumpTest, LastsFiveHundredMillisecondsAcrossTheWrap) {
  const DWORD starts[] = {0, 0xFFFFFF00u, 0xFFFFFE0Cu, 0xFFFFFFFFu};
  for (DWORD start : starts) {
    SCOPED_TRACE("ticks start at " + std::to_string(start));
    winsim::SetTicks(start);
    EXPECT_EQ(1, PumpMessages(dialog));
    const DWORD elapsed = winsim::Ticks() - start;
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(elapsed, 530u);  // a few clock steps past, not a wrapped-around eternity
  }
  EXPECT_EQ(0u, winsim::SleptMilliseconds());  // it polls, it never waits
}

TEST_F(PumpTest, DispatchesInOrderAndStopsOnceTheRunIsMarkedStopped) {
  const UINT Other = WM_USER + 7;
  // A stop for another window is dispatched like any message: the pump runs its whole time.
  PostMessageA(other, WM_STOPINSTALL, 0, 0);
  DWORD start = winsim::Ticks();
  EXPECT_EQ(1, PumpMessages(dialog));
  EXPECT_GE(winsim::Ticks() - start, 500u);
  // The stop it dispatches to the dialog ends the pump at once, after what was queued before it.
  PostMessageA(other, Other, 0, 0);
  PostMessageA(dialog, WM_STOPINSTALL, 0, 0);
  PostMessageA(other, Other + 1, 0, 0);
  start = winsim::Ticks();
  EXPECT_EQ(0, PumpMessages(dialog));
  EXPECT_LT(winsim::Ticks() - start, 500u);
  const std::vector<std::pair<HWND, UINT>> expected = {
      {other, WM_STOPINSTALL}, {other, Other}, {dialog, WM_STOPINSTALL}};
  EXPECT_EQ(expected, dispatched);
  // A run marked stopped before the pump (by a message box's loop, say) finds it answering 0
  // without dispatching anything.
  EXPECT_EQ(0, PumpMessages(dialog));
  EXPECT_EQ(expected, dispatched);
  MSG left;
  ASSERT_TRUE(PeekMessageA(&left, NULL, 0, 0, PM_REMOVE));
  EXPECT_EQ(Other + 1, left.message);
}

// A quit request met by the pump is left for the main loop, and the run stops.
TEST_F(PumpTest, QuitIsPostedAgainAndStopsTheRun) {
  PostQuitMessage(7);
  EXPECT_EQ(0, PumpMessages(dialog));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, NULL, 0, 0, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
  EXPECT_EQ(7u, message.wParam);
}

}  // namespace
