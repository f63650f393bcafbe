// Where the progress dialog goes: centred over its owner's client area, truncating, and kept a
// scroll bar's breadth inside the edges of a 1024 x 768 screen (Wine's under Xvfb, and winsim's
// default). The dialog measures 342 x 158 pixels (192 x 76 dialog units of the system font and a
// modal frame of 3 pixels).
#include <gtest/gtest.h>

#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"
#include "stat/stat_fixture.h"

namespace {

struct PlaceRow {
  const char *context;
  RECT owner;  // left, top, width, height of the owner's client area on the screen
  POINT expected;
};

class StatPlaceTest : public StatTest {};

TEST_F(StatPlaceTest, CentredOverTheOwnerAndKeptOnTheScreen) {
  const PlaceRow rows[] = {
      {"centred", {200, 150, 500, 400}, {279, 271}},
      {"owner smaller by an odd number: truncated toward zero", {300, 200, 337, 153}, {298, 198}},
      {"partly off the left edge", {-400, 200, 500, 400}, {17, 321}},
      {"exactly at the left margin", {-62, 200, 500, 400}, {17, 321}},
      {"partly off the right edge", {800, 200, 500, 400}, {665, 321}},
      {"exactly at the right limit", {586, 200, 500, 400}, {665, 321}},
      {"partly off the top edge", {200, -300, 500, 400}, {279, 17}},
      {"partly off the bottom edge", {200, 600, 500, 400}, {279, 593}},
      {"off the bottom right corner", {900, 700, 500, 400}, {665, 593}},
  };
  for (const PlaceRow &row : rows) {
    SCOPED_TRACE(row.context);
    RECT placed = PlacedOver(row.owner);
    EXPECT_EQ(row.expected.x, placed.left);
    EXPECT_EQ(row.expected.y, placed.top);
    // The size is the template's.
    EXPECT_EQ(342, placed.right - placed.left);
    EXPECT_EQ(158, placed.bottom - placed.top);
  }
}

}  // namespace
