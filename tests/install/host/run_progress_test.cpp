// The bar's percentages over runs of mixed sizes: rounded half up, summed in 64 bits, ending at
// 100, advancing by font count when every selected file is empty, and ignoring unselected records.
#include <gtest/gtest.h>

#include <climits>

#include "install/run_fixture.h"
#include "road_world.h"

namespace {

class RunProgressTest : public RunTest {};

TEST_F(RunProgressTest, PercentagesFollowTheBytesHandled) {
  struct Record {
    int size;
    bool selected;
  };
  struct Row {
    const char *context;
    std::vector<Record> records;
    std::vector<int> percents;
  };
  const Row rows[] = {
      {"three equal", {{1, true}, {1, true}, {1, true}}, {33, 67, 100}},
      {"a half rounds up", {{5, true}, {995, true}}, {1, 100}},
      {"less than a half rounds down", {{4, true}, {996, true}}, {0, 100}},
      {"unselected sizes do not count",
       {{1, true}, {1000, false}, {3, true}, {7, false}},
       {25, 100}},
      {"all empty: by count of fonts", {{0, true}, {0, true}, {0, true}}, {33, 67, 100}},
      {"beyond 32 bits", {{INT_MAX, true}, {INT_MAX, true}}, {50, 100}},
      {"beyond 32 bits, uneven", {{INT_MAX, true}, {1, true}, {INT_MAX, true}}, {50, 50, 100}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    ReleaseFontList();
    runHost = RunHostRecord();
    // The records have no files: every font fails its source check, is passed over with OK and
    // still advances the bar by the size its record claims.
    for (size_t i = 0; i < row.records.size(); i++) {
      AddRecord("F" + std::to_string(i) + ".TTF", "Font " + std::to_string(i), row.records[i].size,
                row.records[i].selected);
    }
    Run();
    EXPECT_EQ(row.percents, runHost.percents);
  }
}

}  // namespace
