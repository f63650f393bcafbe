// The pump on winsim's virtual clock: 500 ms of polling without waiting, also across the tick
// count's wrap-around; every message of the thread dispatched; 0 only for a WM_STOPINSTALL that
// it dispatched to the dialog itself.
#include <gtest/gtest.h>

#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "shell/globals.h"
#include "stat/host/stat_run_sim.h"
#include "stat/stat_fixture.h"

namespace {

class StatPumpTest : public StatTest {};

TEST_F(StatPumpTest, LastsFiveHundredMillisecondsAcrossTheWrap) {
  const DWORD starts[] = {0, 1000, 0x7FFFFF00u, 0xFFFFFF00u, 0xFFFFFE0Cu, 0xFFFFFFFFu};
  for (DWORD start : starts) {
    SCOPED_TRACE("ticks start at " + std::to_string(start));
    winsim::SetTicks(start);
    const DWORD slept = winsim::SleptMilliseconds();
    EXPECT_EQ(1, PumpMessages(owner_));
    const DWORD elapsed = winsim::Ticks() - start;
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(elapsed, 530u);  // a few clock steps past, not a wrapped-around eternity
    EXPECT_EQ(slept, winsim::SleptMilliseconds());  // it never waits
  }
  // Polling only: no translation, no dialog keyboard interface.
  EXPECT_TRUE(winsim::user32::CallsNamed("TranslateMessage").empty());
  EXPECT_TRUE(winsim::user32::CallsNamed("IsDialogMessageA").empty());
}

struct Post {
  bool toDialog;  // else to the other window
  UINT message;
};

struct DispatchRow {
  const char *context;
  std::vector<Post> posts;
  int result;
  bool fullTime;  // the pump ran its whole 500 ms
};

TEST_F(StatPumpTest, DispatchesEverythingAndStopsOnlyForItsOwnStop) {
  const UINT Other = WM_USER + 7;
  const DispatchRow rows[] = {
      {"nothing queued", {}, 1, true},
      {"a message for another window", {{false, Other}}, 1, true},
      {"WM_STOPINSTALL for another window", {{false, WM_STOPINSTALL}}, 1, true},
      {"another message for the dialog", {{true, Other}}, 1, true},
      {"WM_STOPINSTALL for the dialog", {{true, WM_STOPINSTALL}}, 0, false},
      {"WM_STOPINSTALL behind others",
       {{false, Other}, {true, Other}, {true, WM_STOPINSTALL}, {false, Other}},
       0,
       false},
  };
  HWND dialog = CreateOwner(10, 10, 100, 100);
  for (const DispatchRow &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::user32::ClearRecords();
    for (const Post &post : row.posts) {
      PostMessageA(post.toDialog ? dialog : owner_, post.message, 0, 0);
    }
    const DWORD start = winsim::Ticks();
    EXPECT_EQ(row.result, PumpMessages(dialog));
    EXPECT_EQ(row.fullTime, winsim::Ticks() - start >= 500u);
    // Everything before the stop was dispatched, in order; what came after it waits.
    std::vector<winsim::user32::Message> dispatched;
    for (const winsim::user32::Message &message : winsim::user32::Messages()) {
      if (message.posted) dispatched.push_back(message);
    }
    size_t expectedCount = 0;
    for (const Post &post : row.posts) {
      if (expectedCount < dispatched.size()) {
        EXPECT_EQ(post.toDialog ? dialog : owner_, dispatched[expectedCount].hwnd);
        EXPECT_EQ(post.message, dispatched[expectedCount].message);
      }
      expectedCount++;
      if (post.toDialog && post.message == WM_STOPINSTALL) break;
    }
    EXPECT_EQ(expectedCount, dispatched.size());
    EXPECT_EQ(row.posts.size() - expectedCount, winsim::user32::QueuedMessages());
    MSG leftover;
    while (PeekMessageA(&leftover, NULL, 0, 0, PM_REMOVE)) {
    }
  }
  DestroyWindow(dialog);
}

// A quit request met by the pump is left for the main loop, and the run stops.
TEST_F(StatPumpTest, QuitIsPostedAgainAndStopsTheRun) {
  PostQuitMessage(7);
  EXPECT_EQ(0, PumpMessages(owner_));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, NULL, 0, 0, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
  EXPECT_EQ(7u, message.wParam);
}

}  // namespace
