// Install with the name index against Install with plain scans: Install maps each list item to
// its record by FindByFontName, and each item must find the same record both ways, so that the
// run sees the same selected flags and says the same things.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

// Pieces of font names that the comparison folds, ignores or expands in code page 1252 (the
// ligatures 0xE6 and 0x9C, the sharp s, thorn, the soft hyphen, accented letters), their plain
// spellings, and characters that make near-duplicates.
const char *const Pieces[] = {"Harbor", "harbor",  "Sans",    "ae",   "\xE6", "\xC6", "oe", "\x9C",
                              "ss",     "\xDF",    "th",      "\xFE", "\xAD", "-",    " ",  "i",
                              "I",      "caf\xE9", "CAF\xC9", "cafe", "1",    "l"};

std::string SampleName(std::mt19937 &random) {
  std::uniform_int_distribution<size_t> piece(0, sizeof Pieces / sizeof Pieces[0] - 1);
  std::string name = Pieces[piece(random)];
  int more = std::uniform_int_distribution<int>(0, 2)(random);
  for (int i = 0; i < more; i++) name += Pieces[piece(random)];
  return name;
}

using DialInstallIndex = DialTest;

TEST_F(DialInstallIndex, EachListItemFindsTheSameRecordBothWays) {
  std::mt19937 random(4242);
  for (int table = 0; table < 5; table++) {
    SCOPED_TRACE(testing::Message() << "table " << table);
    std::vector<std::string> names;
    for (int i = 0; i < 40; i++) names.push_back(SampleName(random));
    for (const std::string &name : names)
      ASSERT_EQ(1, AppendFontItem("F.TTF", name.c_str(), 1)) << name;
    OpenDialog();
    std::vector<std::string> items = Items();
    ASSERT_EQ(names.size(), items.size());
    for (const std::string &item : items) {
      int found[2];
      for (int plain = 0; plain < 2; plain++) {
        ScanMode mode(plain);
        found[plain] = FindByFontName(item.c_str());
      }
      EXPECT_EQ(found[1], found[0]) << item;
      EXPECT_LT(found[0], FontCount) << item << " found no record";
    }
    DestroyWindow(hFontDial);
    hFontDial = nullptr;
    DestroyWindow(owner);
    owner = nullptr;
    Pump();
    ReleaseFontList();
  }
}

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
    events.clear();
    ReleaseFontList();
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
