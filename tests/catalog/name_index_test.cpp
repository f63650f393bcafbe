// The name index against the plain scans it stands in for: the key's premise checked against the
// system's own comparison, then generated list files, full of names that the comparison folds,
// ignores or expands, loaded both ways and compared record by record and message by message.
#include "catalog/name_index.h"

#include <random>
#include <sstream>

#include "catalog/list_loader.h"
#include "catalog_test_support.h"
#include "name_samples.h"

namespace {

// The key's premise, asked of the system's comparison itself: ASCII texts that lstrcmpiA calls
// equal have the same key. (tests/catalog/win asks the same of other locales' comparisons.)
TEST(NameKey, TextsTheComparisonCallsEqualShareTheirKey) {
  int equalPairs = ExpectEqualTextsShareKeys(PremiseTexts(), lstrcmpiA, "lstrcmpiA");
  // Letter case alone makes thousands of equal pairs: the check did compare.
  EXPECT_GT(equalPairs, 1000);
}

// A load with the index or with plain scans.
std::string Load(CatalogPlace &place, int plain) {
  PlainTableScans = plain;
  std::string outcome = DescribeLoad(place);
  PlainTableScans = 0;
  if (!plain && FontCount > 0) {
    EXPECT_EQ(1, IndexCoversTable(FontList, FontCount));
  }
  return outcome;
}

// Generated list files: every line names a file of the sample set (most of them present) and a
// sample font name (some of them installed already); each list is loaded with the index and with
// plain scans, and the two loads must agree in everything.
using NameIndexLoads = CatalogTest;

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
    std::string indexed = Load(*this, 0);
    recordsLoaded += FontCount;
    linesRefused += lines - foundCount;
    EXPECT_EQ(Load(*this, 1), indexed);
    ReleaseFontList();
  }
  // The lists gave records, and refused lines as repeats of earlier ones or for missing files.
  EXPECT_GT(recordsLoaded, 80);
  EXPECT_GT(linesRefused, 80);
}

}  // namespace
