// Placement on screens only winsim can give: a dialog larger than the screen, where the lower
// margin is applied first and the upper limit then wins, and other scroll bar sizes.
#include <gtest/gtest.h>

#include "install/stat_dialog.h"
#include "shell/globals.h"
#include "stat/stat_fixture.h"
#include "winsim/user32_sim.h"

namespace {

struct ScreenRow {
  const char *context;
  POINT screen;
  POINT scrollBars;  // vertical bar's width, horizontal bar's height
  RECT owner;        // left, top, width, height
  POINT expected;
};

class StatPlaceHostTest : public StatTest {};

// The dialog measures 342 x 158 pixels.
TEST_F(StatPlaceHostTest, LargerThanTheScreenTheRightAndBottomLimitsWin) {
  const ScreenRow rows[] = {
      {"narrower and lower than the dialog", {300, 120}, {17, 17}, {0, 0, 300, 120}, {-59, -55}},
      {"owner far left on a small screen",
       {300, 120},
       {17, 17},
       {-900, -900, 300, 120},
       {-59, -55}},
      {"just fits between the margins", {376, 192}, {17, 17}, {0, 0, 376, 192}, {17, 17}},
      {"one pixel too small", {375, 191}, {17, 17}, {0, 0, 375, 191}, {16, 16}},
      {"wide margins", {1024, 768}, {40, 30}, {-400, -400, 500, 400}, {40, 30}},
      {"wide margins, far right", {1024, 768}, {40, 30}, {900, 700, 500, 400}, {642, 580}},
  };
  for (const ScreenRow &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::user32::SetScreenSize(row.screen.x, row.screen.y);
    winsim::user32::SetScrollBarSize(row.scrollBars.x, row.scrollBars.y);
    RECT placed = PlacedOver(row.owner);
    EXPECT_EQ(row.expected.x, placed.left);
    EXPECT_EQ(row.expected.y, placed.top);
    EXPECT_EQ(342, placed.right - placed.left);
  }
}

}  // namespace
