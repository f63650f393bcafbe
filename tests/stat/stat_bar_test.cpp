// The bar: its full rectangle read once, then shown at a share of that width with its left edge,
// top and height kept, made visible by the first update even at width 0.
#include <gtest/gtest.h>

#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"
#include "stat/stat_fixture.h"

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  POINT topLeft = {rect.left, rect.top};
  POINT bottomRight = {rect.right, rect.bottom};
  ScreenToClient(dialog, &topLeft);
  ScreenToClient(dialog, &bottomRight);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

class StatBarTest : public StatTest {};

TEST_F(StatBarTest, WidthFollowsThePercentageOfTheFullBar) {
  HWND dialog = CreateDialogParamA(hInst, "FontStat", owner_, FontStatProc, 0);
  ASSERT_NE(static_cast<HWND>(NULL), dialog);
  // Until it is first shown the dialog's run is pending, and it has not ended.
  EXPECT_EQ(1, StatPending);
  EXPECT_EQ(0, StatEnded);
  // Shown as the modal loop would show it; the run it asks for is not wanted here.
  ShowWindow(dialog, SW_SHOWNA);
  MSG posted;
  EXPECT_TRUE(PeekMessageA(&posted, NULL, WM_RUNINSTALL, WM_RUNINSTALL, PM_REMOVE));
  // The bar waits hidden for the run's first update.
  HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
  EXPECT_FALSE(IsWindowVisible(bar));

  // 172 x 8 dialog units at 10, 40, in the system font's pixels.
  const RECT full = ClientRectOf(dialog, bar);
  ASSERT_EQ(18, full.left);
  ASSERT_EQ(80, full.top);
  ASSERT_EQ(301, full.right - full.left);
  ASSERT_EQ(16, full.bottom - full.top);
  CaptureStatBar(dialog);

  const struct {
    int percent;
    int width;
  } rows[] = {{0, 0}, {1, 3}, {33, 99}, {50, 151}, {99, 298}, {100, 301}, {40, 120}};
  for (const auto &row : rows) {
    SCOPED_TRACE("percent " + std::to_string(row.percent));
    UpdateStatBar(dialog, row.percent);
    RECT now = ClientRectOf(dialog, bar);
    EXPECT_EQ(full.left, now.left);
    EXPECT_EQ(full.top, now.top);
    EXPECT_EQ(row.width, now.right - now.left);
    EXPECT_EQ(full.bottom - full.top, now.bottom - now.top);
    EXPECT_TRUE(IsWindowVisible(bar));
  }
  DestroyWindow(dialog);
}

}  // namespace
