// The loader when memory runs short, once and from then on: the list's text (the first
// allocation), a listing (the second), which the loader can do without, and each growth of the
// table (the last three, one per record). The records whose growth was granted survive, in list
// order; a table left empty for want of memory is told as such, not as fonts already installed;
// nothing but the table's block outlives the load.
#include "catalog/list_loader.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

using LoaderFaults = CatalogTest;

TEST_F(LoaderFaults, TextListingAndGrowthRefused) {
  PlaceFont("HARBOR.TTF", 1200);
  PlaceFont("HARBORB.TTF", 1300);
  PlaceFont("CEDAR.TTF", 1500);
  WriteList("HARBOR.TTF Harbor Sans\r\nHARBORB.TTF Harbor Sans Bold\r\nCEDAR.TTF Cedar Mono\r\n");
  const TableRecord harbor = {"HARBOR.TTF", "Harbor Sans", 1200, 0};
  const TableRecord harborBold = {"HARBORB.TTF", "Harbor Sans Bold", 1300, 0};
  const TableRecord cedar = {"CEDAR.TTF", "Cedar Mono", 1500, 0};
  const char *noMemory = "Available memory is not enough.";
  ASSERT_EQ(1, LoadFontList());
  const int last = winsim::AllocationCount();
  ReleaseFontList();
  using winsim::Times;
  struct Row {
    Times times;
    int nth;  // from the first allocation of a load, or from its last when 0 or below
    std::vector<TableRecord> records;
    const char *text;  // the one message, or null
  };
  const Row rows[] = {
      {Times::Once, 1, {}, noMemory},
      {Times::Once, 2, {harbor, harborBold, cedar}, nullptr},
      {Times::Once, -2, {harborBold, cedar}, nullptr},
      {Times::Once, 0, {harbor, harborBold}, nullptr},
      {Times::FromThenOn, -2, {}, noMemory},
      {Times::FromThenOn, -1, {harbor}, nullptr},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << (row.times == Times::Once ? "once" : "from then on")
                                    << ", allocation " << row.nth);
    winsim::ClearFaults();
    winsim::FailAllocation(row.nth > 0 ? row.nth : last + row.nth, row.times);
    EXPECT_EQ(row.records.empty() ? 0 : 1, LoadFontList());
    EXPECT_EQ(row.records, TableRecords());
    EXPECT_EQ(LoaderBoxes(row.text, MB_ICONERROR), NewBoxes());
    EXPECT_EQ(0, winsim::LockedBlocks());
    EXPECT_EQ(FontCount > 0 ? 1 : 0, winsim::LiveBlocks());
    ReleaseFontList();
  }
}

}  // namespace
