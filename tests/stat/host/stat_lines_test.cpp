// What the dialog shows while a run goes on: both lines empty and the bar hidden during the first
// pump, then the current font's name and upper-case file name, the bar made visible by its first
// update even at width 0, and the full bar at the end of an uncancelled run.
#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"
#include "stat/host/stat_run_sim.h"
#include "stat/stat_fixture.h"

namespace {

struct Seen {
  std::string fontLine;
  std::string fileLine;
  bool barVisible;
  int barWidth;
};

class StatLinesTest : public StatTest {
 protected:
  Seen Look(HWND dialog) {
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
    RECT rect;
    GetWindowRect(bar, &rect);
    return {DialogLine(dialog, IDC_STATFONT), DialogLine(dialog, IDC_STATFILE),
            IsWindowVisible(bar) != FALSE, static_cast<int>(rect.right - rect.left)};
  }
};

TEST_F(StatLinesTest, LinesAndBarThroughARun) {
  // The first file claims 1 byte of 1000: its update rounds to 0 percent.
  AddFont("small.ttf", "Small Serif", Sandbox::RealFont(0));
  AddFont("large.ttf", "Large Sans", Sandbox::RealFont(3));
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  items[0].fileSize = 1;
  items[1].fileSize = 999;
  GlobalUnlock(FontList);

  // A look at each pump whose lines differ from the last look: the first and the second pump.
  std::vector<Seen> atPumps;
  std::function<void()> lookAtNextPump = [&] {
    WhenRunPolls([this] { return FindStatDialog(); },
                 [&](HWND dialog) {
                   Seen seen = Look(dialog);
                   if (atPumps.empty() || seen.fontLine != atPumps.back().fontLine) {
                     atPumps.push_back(seen);
                   }
                   if (atPumps.size() < 2) {
                     PostMessageA(NULL, WM_NULL, 0, 0);  // look again at the next poll
                     lookAtNextPump();
                   }
                 });
  };
  lookAtNextPump();
  std::vector<Seen> atSummary;
  winsim::user32::OnMessageBox(
      [&](HWND, const winsim::MessageBoxRecord &box) { atSummary.push_back(Look(box.owner)); });

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_EQ(2u, atPumps.size());
  EXPECT_EQ("", atPumps[0].fontLine);
  EXPECT_EQ("", atPumps[0].fileLine);
  EXPECT_FALSE(atPumps[0].barVisible);
  // After the small first font: 0 percent, and the bar shown all the same.
  EXPECT_EQ("Small Serif", atPumps[1].fontLine);
  EXPECT_EQ("SMALL.TTF", atPumps[1].fileLine);
  EXPECT_TRUE(atPumps[1].barVisible);
  EXPECT_EQ(0, atPumps[1].barWidth);
  ASSERT_EQ(1u, atSummary.size());
  EXPECT_EQ("Large Sans", atSummary[0].fontLine);
  EXPECT_EQ("LARGE.TTF", atSummary[0].fileLine);
  EXPECT_TRUE(atSummary[0].barVisible);
  EXPECT_EQ(301, atSummary[0].barWidth);
}

}  // namespace
