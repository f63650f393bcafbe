// The list file of nine lines that shows each rule of a line once, and the same lines cut down
// to the two cases in which the loader has nothing to offer.
#include "catalog/list_loader.h"

#include "catalog_test_support.h"

namespace {

const char *const ExampleLines[] = {
    "HARBOR.TTF   Harbor Sans",           // 1: record 0
    "  HARBORB.TTF Harbor Sans Bold   ",  // 2: record 1
    "LINDEN.TTF",                         // 3: no font-name field
    "harbor.ttf Harbor Sans Copy",        // 4: same file as record 0
    "FONTS\\MAPLE.TTF Maple Serif",       // 5: directory part
    "LONGNAME1.TTF Long Name",            // 6: nine characters before the dot
    "",                                   // 7: no non-blank
    "MAPLE.TTF Maple Serif",              // 8: found, but registered in WIN.INI
    "CEDAR.TTF Cedar Mono",               // 9: no CR LF after it
};

// The given lines (1-based) joined by CR LF; the last one gets none when it is line 9.
std::string ExampleText(std::initializer_list<int> lines) {
  std::string text;
  for (int line : lines) {
    text += ExampleLines[line - 1];
    if (line != 9) text += "\r\n";
  }
  return text;
}

class ListLoaderExample : public CatalogTest {
 protected:
  ListLoaderExample() {
    PlaceFont("HARBOR.TTF", 1200);
    PlaceFont("HARBORB.TTF", 1300);
    PlaceFont("MAPLE.TTF", 1400);
    PlaceFont("CEDAR.TTF", 1500);
    sandbox.SetFontsKey("Maple Serif", "MAPLE.Fot");
  }
};

TEST_F(ListLoaderExample, NineLinesGiveTwoRecordsAndThreeFound) {
  std::string text = ExampleText({1, 2, 3, 4, 5, 6, 7, 8, 9});
  ASSERT_EQ(
      std::string("HARBOR.TTF   Harbor Sans\r\n  HARBORB.TTF Harbor Sans Bold   \r\n"
                  "LINDEN.TTF\r\nharbor.ttf Harbor Sans Copy\r\nFONTS\\MAPLE.TTF Maple "
                  "Serif\r\nLONGNAME1.TTF Long Name\r\n\r\nMAPLE.TTF Maple Serif\r\nCEDAR.TTF "
                  "Cedar Mono"),
      text);
  WriteList(text);

  EXPECT_EQ(1, LoadFontList());

  std::vector<TableRecord> expected = {{"HARBOR.TTF", "Harbor Sans", 1200, 0},
                                       {"HARBORB.TTF", "Harbor Sans Bold", 1300, 0}};
  EXPECT_EQ(expected, TableRecords());
  EXPECT_EQ(3, foundCount);
  EXPECT_EQ(std::vector<std::string>{}, NewBoxes());
}

TEST_F(ListLoaderExample, CutDownListsTellWhyNothingIsOffered) {
  struct Row {
    const char *context;
    std::initializer_list<int> lines;
    int found;
    const char *text;
    UINT icon;
  };
  const Row rows[] = {
      {"only ill-formed lines", {3, 5, 6, 7}, 0, NoFontsText, MB_ICONWARNING},
      {"only an installed font", {8}, 1, AllInstalledText, MB_ICONINFORMATION},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    WriteList(ExampleText(row.lines));
    EXPECT_EQ(0, LoadFontList());
    EXPECT_EQ(0, FontCount);
    EXPECT_EQ(nullptr, FontList);
    EXPECT_EQ(row.found, foundCount);
    EXPECT_EQ(std::vector<std::string>{LoaderBox(row.text, row.icon)}, NewBoxes());
  }
}

TEST_F(ListLoaderExample, LineFourAloneNamesTheFileInItsOwnSpelling) {
  WriteList(ExampleText({4}));
  EXPECT_EQ(1, LoadFontList());
  std::vector<TableRecord> expected = {{"harbor.ttf", "Harbor Sans Copy", 1200, 0}};
  EXPECT_EQ(expected, TableRecords());
  EXPECT_EQ(1, foundCount);
  EXPECT_EQ(std::vector<std::string>{}, NewBoxes());
}

}  // namespace
