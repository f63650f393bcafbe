// winsim's virtual clock: GetTickCount steps on by itself so that polling loops end, and Sleep
// and the test move it without waiting.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "winsim/sim.h"

TEST(VirtualClock, StepsOnEachReading) {
  Sandbox sandbox;
  EXPECT_EQ(0u, winsim::Ticks());
  winsim::SetTicks(1000);
  EXPECT_EQ(1000u, GetTickCount());
  EXPECT_EQ(1010u, GetTickCount());  // the default step is 10 ms
  winsim::SetTickStep(0);
  EXPECT_EQ(1020u, GetTickCount());
  EXPECT_EQ(1020u, GetTickCount());
  winsim::AdvanceTicks(480);
  EXPECT_EQ(1500u, GetTickCount());
  winsim::SetTickStep(1);
  EXPECT_EQ(1500u, GetTickCount());
  EXPECT_EQ(1501u, winsim::Ticks());
}

TEST(VirtualClock, PollingLoopEndsAfterItsTime) {
  Sandbox sandbox;
  winsim::SetTicks(5000);
  winsim::SetTickStep(7);
  DWORD start = GetTickCount();
  int polls = 0;
  while (GetTickCount() - start < 500) polls++;
  EXPECT_EQ(71, polls);  // readings at 7, 14, ... 497 ms; the one at 504 ms ends the loop
  EXPECT_EQ(5000u + 7 * 73, winsim::Ticks());
}

TEST(VirtualClock, WrapsAroundLikeTheRealCounter) {
  Sandbox sandbox;
  winsim::SetTicks(0xFFFFFFF0u);
  winsim::SetTickStep(0);
  DWORD start = GetTickCount();
  winsim::AdvanceTicks(0x20);
  EXPECT_EQ(0x10u, GetTickCount());
  EXPECT_EQ(0x20u, GetTickCount() - start);  // unsigned differences stay right
}

TEST(VirtualClock, SleepMovesTheClockAtOnce) {
  Sandbox sandbox;
  winsim::SetTickStep(0);
  Sleep(250);
  Sleep(250);
  EXPECT_EQ(500u, GetTickCount());
  EXPECT_EQ(500u, winsim::SleptMilliseconds());
}
