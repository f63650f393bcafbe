// The name index against the plain scans it stands in for: the key's premise checked against the
// system's own comparison, then generated tables and list files, full of names that the
// comparison folds, ignores or expands, looked up and loaded both ways and compared record by
// record and message by message.
#include "catalog/name_index.h"

#include <random>

#include "catalog/list_loader.h"
#include "catalog_test_support.h"
#include "name_samples.h"

namespace {

// Sets PlainTableScans for a scope.
class ScanMode {
 public:
  explicit ScanMode(int plain) { PlainTableScans = plain; }
  ~ScanMode() { PlainTableScans = 0; }
};

unsigned KeyOf(const std::string &name) {
  unsigned key = 0;
  EXPECT_EQ(1, NameKeyOf(name.c_str(), &key)) << Printable(name);
  return key;
}

// Both lookups of each probe, through the index and by plain scans, must give the same index.
void ExpectSameLookups(const std::vector<std::string> &probes) {
  ASSERT_TRUE(FontCount == 0 || IndexCoversTable(FontList, FontCount))
      << "the table was built by AppendFontItem alone, so the index must cover it";
  for (const std::string &probe : probes) {
    int byFile[2], byFont[2];
    for (int plain = 0; plain < 2; plain++) {
      ScanMode mode(plain);
      byFile[plain] = FindByFileName(probe.c_str());
      byFont[plain] = FindByFontName(probe.c_str());
    }
    EXPECT_EQ(byFile[1], byFile[0]) << "file name " << Printable(probe);
    EXPECT_EQ(byFont[1], byFont[0]) << "font name " << Printable(probe);
  }
}

// The key's premise, asked of the system's comparison itself: ASCII texts that lstrcmpiA calls
// equal have the same key. (tests/catalog/win asks the same of other locales' comparisons.)
TEST(NameKey, TextsTheComparisonCallsEqualShareTheirKey) {
  int equalPairs = ExpectEqualTextsShareKeys(PremiseTexts(), lstrcmpiA, "lstrcmpiA");
  // Letter case alone makes thousands of equal pairs: the check did compare.
  EXPECT_GT(equalPairs, 1000);
}

TEST(NameKey, OnlyAsciiNamesHaveOne) {
  struct Row {
    const char *name;
    int keyed;
  };
  const Row rows[] = {{"", 1},
                      {"Harbor Sans", 1},
                      {"A-B'C .,;\x7F\x01", 1},
                      {"\xE6on", 0},
                      {"AE\xADON", 0},
                      {"Stra\xDF"
                       "e",
                       0},
                      {"caf\xE9", 0},
                      {"\x81", 0},
                      {"\xFF", 0}};
  for (const Row &row : rows) {
    unsigned key = 0;
    EXPECT_EQ(row.keyed, NameKeyOf(row.name, &key)) << Printable(row.name);
  }
  // Case, order, repetition and everything but letters and digits leave the key as it is; a
  // letter or digit more or less changes it.
  EXPECT_EQ(KeyOf("Harbor Sans"), KeyOf("SANS-HARBOR"));
  EXPECT_EQ(KeyOf("ccs"), KeyOf("cscs"));
  EXPECT_EQ(KeyOf("i"), KeyOf("I"));
  EXPECT_NE(KeyOf("Harbor Sans"), KeyOf("Harbor Sans 2"));
  EXPECT_NE(KeyOf("ABC"), KeyOf("ABD"));
}

using NameIndex = CatalogTest;

TEST_F(NameIndex, LookupsOfGeneratedTablesAgreeWithPlainScans) {
  std::mt19937 random(20240611);
  for (int table = 0; table < 60; table++) {
    SCOPED_TRACE(testing::Message() << "table " << table);
    int records = std::uniform_int_distribution<int>(1, 80)(random);
    // A small pool: the same names come again in other letter cases.
    std::vector<std::string> files = SampleNames(random, records, records / 2 + 1, true);
    std::vector<std::string> fonts = SampleNames(random, records, records / 2 + 1, false);
    ReleaseFontList();
    for (int i = 0; i < records; i++)
      ASSERT_EQ(1, AppendFontItem(files[i].c_str(), fonts[i].c_str(), i));
    std::vector<std::string> probes = SampleNames(random, 60, 30, false);
    std::vector<std::string> fileProbes = SampleNames(random, 60, 30, true);
    probes.insert(probes.end(), fileProbes.begin(), fileProbes.end());
    probes.insert(probes.end(), files.begin(), files.end());
    probes.insert(probes.end(), fonts.begin(), fonts.end());
    ExpectSameLookups(probes);
  }
}

// Names that every platform's comparison calls equal, spread over records with and without a
// key: the lowest index wins whichever way a name is looked up.
TEST_F(NameIndex, TheLowestEqualRecordWinsWithAndWithoutKeys) {
  const char *fonts[] = {"Caf\xE9", "harbor", "\xC6on", "HARBOR", "AEON", "Cafe", "aeon"};
  for (int i = 0; i < 7; i++) ASSERT_EQ(1, AppendFontItem("A.TTF", fonts[i], i));
  struct Row {
    const char *probe;
    int index;
  };
  const Row rows[] = {{"HARBOR", 1},  {"Harbor", 1}, {"aeon", 2},  {"\xE6ON", 2},
                      {"CAF\xC9", 0}, {"cafe", 5},   {"AEONS", 7}, {"\xE6onS", 7}};
  for (const Row &row : rows) {
    for (int plain = 0; plain < 2; plain++) {
      ScanMode mode(plain);
      EXPECT_EQ(row.index, FindByFontName(row.probe)) << Printable(row.probe) << " plain " << plain;
    }
  }
  EXPECT_EQ(1, IndexCoversTable(FontList, FontCount));
}

// A table that did not grow through AppendFontItem (set up by hand, or grown under a handle the
// index did not see) is not covered by the index; the lookups then scan, and stay right.
TEST_F(NameIndex, ATableTheIndexDidNotSeeIsScanned) {
  ASSERT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  ASSERT_EQ(1, AppendFontItem("CEDAR.TTF", "Cedar Mono", 2));
  EXPECT_EQ(1, IndexCoversTable(FontList, FontCount));
  HGLOBAL indexed = FontList;

  HGLOBAL byHand = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 3 * sizeof(FontItem));
  ASSERT_NE(nullptr, byHand);
  FontItem *items = (FontItem *)GlobalLock(byHand);
  const char *names[][2] = {
      {"MAPLE.TTF", "Maple Serif"}, {"CEDAR.TTF", "Cedar"}, {"HARBOR.TTF", "cedar mono"}};
  for (int i = 0; i < 3; i++) {
    lstrcpyA(items[i].fileName, names[i][0]);
    lstrcpyA(items[i].fontName, names[i][1]);
  }
  GlobalUnlock(byHand);
  FontList = byHand;
  FontCount = 3;
  EXPECT_EQ(0, IndexCoversTable(FontList, FontCount));
  EXPECT_EQ(2, FindByFileName("harbor.ttf"));
  EXPECT_EQ(1, FindByFileName("Cedar.ttf"));
  EXPECT_EQ(2, FindByFontName("CEDAR MONO"));
  EXPECT_EQ(0, FindByFontName("maple serif"));
  EXPECT_EQ(3, FindByFontName("Harbor Sans"));
  GlobalFree(indexed);

  // Released and grown again, the new table is indexed from its first record.
  ReleaseFontList();
  ASSERT_EQ(1, AppendFontItem("MAPLE.TTF", "Maple Serif", 1));
  EXPECT_EQ(1, IndexCoversTable(FontList, FontCount));
  EXPECT_EQ(0, FindByFontName("MAPLE SERIF"));
  EXPECT_EQ(1, FindByFontName("Cedar Mono"));
}

// What one load leaves behind: the table, the counts, the result and the boxes.
struct LoadOutcome {
  int result;
  int found;
  std::vector<TableRecord> records;
  std::vector<std::string> boxes;
};

class NameIndexLoads : public CatalogTest {
 protected:
  LoadOutcome Load(int plain) {
    ScanMode mode(plain);
    ReleaseFontList();
    LoadOutcome outcome;
    outcome.result = LoadFontList();
    outcome.found = foundCount;
    outcome.records = TableRecords();
    outcome.boxes = NewBoxes();
    if (!plain && FontCount > 0) {
      EXPECT_EQ(1, IndexCoversTable(FontList, FontCount));
    }
    return outcome;
  }
};

// Generated list files: every line names a file of the sample set (most of them present) and a
// sample font name (some of them installed already); each list is loaded with the index and with
// plain scans, and the two loads must agree in everything.
TEST_F(NameIndexLoads, GeneratedListsLoadAlikeBothWays) {
  std::mt19937 random(7321);
  int recordsLoaded = 0;
  int linesRefused = 0;
  for (int list = 0; list < 10; list++) {
    SCOPED_TRACE(testing::Message() << "list " << list);
    int lines = std::uniform_int_distribution<int>(10, 50)(random);
    std::vector<std::string> files = SampleNames(random, lines, lines, true);
    std::vector<std::string> fonts = SampleNames(random, lines, lines, false);
    std::string text;
    for (int i = 0; i < lines; i++) {
      text += files[i] + " " + fonts[i] + "\r\n";
      // About one file in eight is missing, one font in eight installed.
      if (std::uniform_int_distribution<int>(0, 7)(random) > 0) PlaceFont(files[i], i);
      if (std::uniform_int_distribution<int>(0, 7)(random) == 0)
        sandbox.SetFontsKey(fonts[i], "INSTALLED.Fot");
    }
    WriteList(text);
    LoadOutcome indexed = Load(0);
    LoadOutcome plain = Load(1);
    EXPECT_EQ(plain.result, indexed.result);
    EXPECT_EQ(plain.found, indexed.found);
    EXPECT_EQ(plain.records, indexed.records);
    EXPECT_EQ(plain.boxes, indexed.boxes);
    ReleaseFontList();
    recordsLoaded += (int)indexed.records.size();
    linesRefused += lines - indexed.found;
  }
  // The lists gave records, and refused lines as repeats of earlier ones or for missing files.
  EXPECT_GT(recordsLoaded, 80);
  EXPECT_GT(linesRefused, 80);
}

}  // namespace
