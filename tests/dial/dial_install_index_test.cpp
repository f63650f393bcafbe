// Install with the name index against Install with plain scans: Install maps each list item to
// its record by FindByFontName, and each item must find the same record both ways, so that the
// run sees the same selected flags and says the same things. (Lookups of generated tables both
// ways are compared in the catalog suite.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/font_table.h"
#include "dial/dial_harness.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

// Sets PlainTableScans for a scope.
class ScanMode {
 public:
  explicit ScanMode(int plain) { PlainTableScans = plain; }
  ~ScanMode() { PlainTableScans = 0; }
};

using DialInstallIndex = DialTest;

// A table the loader would not make: names that the comparison calls equal (AEON and 0xC6 "on",
// Strasse and Stra 0xDF "e" on every platform) stand in several records, so that items map to
// the lowest of them. Selecting some and pressing Install must leave the same flags and show
// the same messages with the index as with plain scans.
TEST_F(DialInstallIndex, InstallLeavesTheSameFlagsAndMessagesBothWays) {
  const std::vector<Candidate> candidates = {{"CAFE1.TTF", "Caf\xE9"},
                                             {"HARBOR.TTF", "harbor"},
                                             {"AEON.TTF", "\xC6on"},
                                             {"HARBOR2.TTF", "HARBOR"},
                                             {"AEON2.TTF", "AEON"},
                                             {"CAFE2.TTF", "Cafe"},
                                             {"SS.TTF",
                                              "Stra\xDF"
                                              "e"},
                                             {"SS2.TTF", "Strasse"},
                                             {"BIRCH.TTF", "Birch"}};
  std::vector<int> flags[2];
  std::vector<std::string> texts[2];
  for (int plain = 1; plain >= 0; plain--) {
    SCOPED_TRACE(plain ? "plain scans" : "name index");
    ScanMode mode(plain);
    AddCandidates(candidates);
    OpenDialog();
    MessageBoxWatch watch;
    WatchRun(&watch);
    // One click at a time: two quick clicks at one place would make a double click.
    for (const char *name : {"AEON", "Strasse", "harbor", "Birch"}) {
      ClickItem(name);
      Settle();
    }
    ASSERT_TRUE(PumpUntil([&] { return Label() == "4 fonts selected"; })) << Label();
    ClickButton(IDOK);
    EXPECT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
    flags[plain] = SelectedFlags();
    for (const ShownMessageBox &box : watch.Shown()) texts[plain].push_back(box.text);
    CloseDialog();
  }
  EXPECT_EQ(flags[1], flags[0]);
  EXPECT_EQ(texts[1], texts[0]);
  // Birch has a record of its own. The items HARBOR, AEON and Strasse find the lower records
  // that equal them, so records 3, 4 and 7 keep their flags whatever was selected.
  ASSERT_EQ(candidates.size(), flags[0].size());
  EXPECT_EQ(1, flags[0][8]);
  EXPECT_EQ(0, flags[0][3]);
  EXPECT_EQ(0, flags[0][4]);
  EXPECT_EQ(0, flags[0][7]);
  ASSERT_FALSE(texts[0].empty());
  EXPECT_EQ("No new fonts were installed.", texts[0].back());
  EXPECT_NE(texts[0].end(),
            std::find(texts[0].begin(), texts[0].end(), "Cannot copy the font file 'BIRCH.TTF'."));
}

}  // namespace
