// The bar's percentages over runs of mixed sizes: rounded half up, counted in 64 bits, ending at
// 100, advancing by font count when every selected file is empty, and ignoring unselected records.
#include <gtest/gtest.h>

#include <climits>

#include "run/run_fixture.h"
#include "run/run_host_double.h"

namespace {

struct Record {
  int size;
  bool selected;
};

struct ProgressRow {
  const char *context;
  std::vector<Record> records;
  std::vector<int> percents;
};

class RunProgressTest : public RunTest {};

TEST_F(RunProgressTest, PercentagesFollowTheBytesHandled) {
  const ProgressRow rows[] = {
      {"three equal", {{1, true}, {1, true}, {1, true}}, {33, 67, 100}},
      {"small then large", {{1, true}, {2, true}}, {33, 100}},
      {"a half rounds up", {{5, true}, {995, true}}, {1, 100}},
      {"less than a half rounds down", {{4, true}, {996, true}}, {0, 100}},
      {"an empty file among others", {{0, true}, {1000, true}}, {0, 100}},
      {"unselected sizes do not count",
       {{1, true}, {1000, false}, {3, true}, {7, false}},
       {25, 100}},
      {"all empty: by count of fonts", {{0, true}, {0, true}, {0, true}}, {33, 67, 100}},
      {"one empty font", {{0, true}}, {100}},
      {"beyond 32 bits", {{INT_MAX, true}, {INT_MAX, true}}, {50, 100}},
      {"beyond 32 bits, uneven", {{INT_MAX, true}, {1, true}, {INT_MAX, true}}, {50, 50, 100}},
  };
  for (const ProgressRow &row : rows) {
    SCOPED_TRACE(row.context);
    ReleaseFontList();
    run_host::Reset();
    // The records have no files: every font fails its source check, is passed over with OK and
    // still advances the bar by the size its record claims.
    for (size_t i = 0; i < row.records.size(); i++) {
      AddRecord("F" + std::to_string(i) + ".TTF", "Font " + std::to_string(i), row.records[i].size,
                row.records[i].selected);
    }
    Run();
    EXPECT_EQ(row.percents, run_host::Percents());
    EXPECT_EQ(1, run_host::Count(run_host::Call::Capture));
    EXPECT_EQ(static_cast<int>(row.percents.size()), run_host::Count(run_host::Call::Pump));
  }
}

// Pumps and updates alternate, one pump before each selected font (the first included) and one
// update after it, all for the dialog; the bar is captured once before everything.
TEST_F(RunProgressTest, CaptureThenPumpAndUpdatePerFont) {
  AddRecord("A.TTF", "A", 10);
  AddRecord("B.TTF", "B", 10, false);
  AddRecord("C.TTF", "C", 30);
  Run();
  const std::vector<run_host::Call> &calls = run_host::Calls();
  const run_host::Call::Kind expected[] = {run_host::Call::Capture, run_host::Call::Pump,
                                           run_host::Call::Update, run_host::Call::Pump,
                                           run_host::Call::Update};
  ASSERT_EQ(std::size(expected), calls.size());
  for (size_t i = 0; i < calls.size(); i++) {
    SCOPED_TRACE("call " + std::to_string(i));
    EXPECT_EQ(expected[i], calls[i].kind);
    EXPECT_EQ(dialog_, calls[i].dialog);
  }
}

}  // namespace
