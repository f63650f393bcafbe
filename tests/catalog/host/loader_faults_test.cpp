// The loader when memory or the list file lets it down: every allocation refused in turn (once,
// and from then on), the list file vanishing between measuring and reading, and a short read.
// After each run: the right message or none, the records that survive, nothing left open,
// locked or allocated but the table.
#include "catalog/list_loader.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

const char ExampleText[] =
    "HARBOR.TTF   Harbor Sans\r\n  HARBORB.TTF Harbor Sans Bold   \r\nLINDEN.TTF\r\n"
    "harbor.ttf Harbor Sans Copy\r\nFONTS\\MAPLE.TTF Maple Serif\r\nLONGNAME1.TTF Long Name\r\n"
    "\r\nMAPLE.TTF Maple Serif\r\nCEDAR.TTF Cedar Mono\r\n";

const TableRecord Harbor = {"HARBOR.TTF", "Harbor Sans", 1200, 0};
const TableRecord HarborBold = {"HARBORB.TTF", "Harbor Sans Bold", 1300, 0};
const TableRecord Cedar = {"CEDAR.TTF", "Cedar Mono", 1500, 0};

class LoaderFaults : public CatalogTest {
 protected:
  LoaderFaults() {
    PlaceFont("HARBOR.TTF", 1200);
    PlaceFont("HARBORB.TTF", 1300);
    PlaceFont("MAPLE.TTF", 1400);
    PlaceFont("CEDAR.TTF", 1500);
    sandbox.SetFontsKey("Maple Serif", "MAPLE.Fot");
    WriteList(ExampleText);
  }
  // Nothing but the table's block may outlive the load.
  void ExpectNothingLeftBehind() {
    EXPECT_EQ(0, winsim::OpenFileHandles());
    EXPECT_EQ(0, winsim::LockedBlocks());
    EXPECT_EQ(FontCount > 0 ? 1 : 0, winsim::LiveBlocks());
    EXPECT_EQ(0, winsim::InvalidHandleUses());
  }
};

TEST_F(LoaderFaults, EveryAllocationRefusedInTurn) {
  // A clean run first: the text buffer and one allocation per record.
  ASSERT_EQ(1, LoadFontList());
  ASSERT_EQ((std::vector<TableRecord>{Harbor, HarborBold, Cedar}), TableRecords());
  ReleaseFontList();
  ASSERT_EQ(4, winsim::AllocationCount());

  // Once Harbor Sans is refused, the later line harbor.ttf no longer repeats a record: it is
  // tested on its own, counted as found and added.
  const TableRecord HarborCopy = {"harbor.ttf", "Harbor Sans Copy", 1200, 0};
  using winsim::Times;
  struct Row {
    Times times;
    int nth;
    std::vector<TableRecord> records;
    int found;
    const char *text;  // the one message, or null
    UINT icon;
  };
  const Row rows[] = {
      {Times::Once, 1, {}, 0, NoMemoryText, MB_ICONERROR},
      {Times::Once, 2, {HarborBold, HarborCopy, Cedar}, 5, nullptr, 0},
      {Times::Once, 3, {Harbor, Cedar}, 4, nullptr, 0},
      {Times::Once, 4, {Harbor, HarborBold}, 4, nullptr, 0},
      {Times::Once, 5, {Harbor, HarborBold, Cedar}, 4, nullptr, 0},  // fires no fault
      {Times::FromThenOn, 1, {}, 0, NoMemoryText, MB_ICONERROR},
      {Times::FromThenOn, 2, {}, 5, NoMemoryText, MB_ICONERROR},
      {Times::FromThenOn, 3, {Harbor}, 4, nullptr, 0},
      {Times::FromThenOn, 4, {Harbor, HarborBold}, 4, nullptr, 0},
      {Times::FromThenOn, 5, {Harbor, HarborBold, Cedar}, 4, nullptr, 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << (row.times == Times::Once ? "once" : "from then on")
                                    << ", allocation " << row.nth);
    winsim::ClearFaults();
    winsim::FailAllocation(row.nth, row.times);
    foundCount = -1;

    EXPECT_EQ(row.records.empty() ? 0 : 1, LoadFontList());
    EXPECT_EQ(row.records, TableRecords());
    // The count is set only once the file was read.
    EXPECT_EQ(row.nth == 1 ? -1 : row.found, foundCount);
    std::vector<std::string> expectedBoxes;
    if (row.text != nullptr) expectedBoxes.push_back(LoaderBox(row.text, row.icon));
    EXPECT_EQ(expectedBoxes, NewBoxes());
    ExpectNothingLeftBehind();
    ReleaseFontList();
    EXPECT_EQ(0, winsim::LiveBlocks());
  }
}

TEST_F(LoaderFaults, ListFileLetsTheReadDown) {
  const std::string list = sandbox.InProgramDir("Quillbox.Lst");
  struct Row {
    const char *context;
    void (*fault)(const std::string &list);
  };
  const Row rows[] = {
      // The first open measures the file; the second one is for the read.
      {"measured, then cannot be opened",
       [](const std::string &list) { winsim::FailOpen(list, 2, winsim::Times::Once); }},
      {"a read that comes one byte short",
       [](const std::string &list) { winsim::ShortRead(list, sizeof ExampleText - 2); }},
      {"a read that gives nothing", [](const std::string &list) { winsim::ShortRead(list, 0); }},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::ClearFaults();
    row.fault(list);
    EXPECT_EQ(0, LoadFontList());
    EXPECT_EQ(0, FontCount);
    EXPECT_EQ(std::vector<std::string>{LoaderBox(NotFoundText, MB_ICONERROR)}, NewBoxes());
    ExpectNothingLeftBehind();
  }
}

TEST_F(LoaderFaults, ATableFromAnEarlierLoadIsGivenBackNotLeaked) {
  ASSERT_EQ(1, LoadFontList());
  WriteList("CEDAR.TTF Cedar Mono\r\nHARBOR.TTF Harbor Sans\r\n");
  ASSERT_EQ(1, LoadFontList());
  EXPECT_EQ((std::vector<TableRecord>{Cedar, Harbor}), TableRecords());
  EXPECT_EQ(2, foundCount);
  ExpectNothingLeftBehind();
}

}  // namespace
