// The candidate table when memory runs short: a refused growth changes nothing, and the next
// append asks for the same size again.
#include "catalog/font_table.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

using TableFaults = CatalogTest;

TEST_F(TableFaults, RefusedFirstBlockLeavesTheTableEmpty) {
  winsim::FailAllocation(1);
  EXPECT_EQ(0, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  EXPECT_EQ(nullptr, FontList);
  EXPECT_EQ(0, FontCount);
  EXPECT_EQ(0, winsim::LiveBlocks());
  EXPECT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  EXPECT_EQ((std::vector<size_t>{sizeof(FontItem), sizeof(FontItem)}), winsim::AllocationSizes());
}

TEST_F(TableFaults, RefusedGrowthKeepsHandleCountAndRecords) {
  ASSERT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  ASSERT_EQ(1, AppendFontItem("CEDAR.TTF", "Cedar Mono", 2));
  const std::vector<TableRecord> before = TableRecords();
  const HGLOBAL handle = FontList;

  // Refusing exactly the size of three records shows that growth asks for one record more.
  winsim::FailAllocationOfSize(3 * sizeof(FontItem), 1, winsim::Times::Once);
  EXPECT_EQ(0, AppendFontItem("MAPLE.TTF", "Maple Serif", 3));
  EXPECT_EQ(handle, FontList);
  EXPECT_EQ(2, FontCount);
  EXPECT_EQ(before, TableRecords());
  EXPECT_EQ(1, winsim::LiveBlocks());

  int allocations = winsim::AllocationCount();
  EXPECT_EQ(1, AppendFontItem("MAPLE.TTF", "Maple Serif", 3));
  EXPECT_EQ(allocations + 1, winsim::AllocationCount());
  EXPECT_EQ(3 * sizeof(FontItem), GlobalSize(FontList));
  std::vector<TableRecord> after = before;
  after.push_back({"MAPLE.TTF", "Maple Serif", 3, 0});
  EXPECT_EQ(after, TableRecords());
  EXPECT_EQ(0, winsim::InvalidHandleUses());
}

}  // namespace
