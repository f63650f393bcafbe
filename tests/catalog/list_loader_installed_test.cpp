// Fonts that are installed already: a .Fot file of the name in the system directory, or a
// WIN.INI key with a value. Such a line counts as found but gives no record.
#include "catalog/list_loader.h"

#include "catalog_test_support.h"

namespace {

TEST(ListLoaderInstalled, ResourceFileOrProfileKeyMarksAFontInstalled) {
  // The line's name (its file name is the same in upper case), a .Fot file of that name in the
  // system directory, a WIN.INI key and its value (empty strings: none).
  struct Row {
    const char *name;
    const char *resourceFile;
    const char *key;
    const char *value;
    bool installed;
  };
  const Row rows[] = {
      {"harbor.ttf", "", "", "", false},
      {"harbor.ttf", "HARBOR.Fot", "", "", true},
      {"HARBOR.TTF", "harbor.fot", "", "", true},
      {"harbor.ttf", "HARBOR.TTF.Fot", "", "", false},  // not after the whole file name
      {"linden", "LINDEN.Fot", "", "", true},           // a name without a dot gets .Fot
      {"harbor.ttf", "", "Harbor Sans", "HARBOR.Fot", true},
      {"harbor.ttf", "", "HARBOR SANS", "OTHER.Fot", true},
      {"harbor.ttf", "", "Harbor Sans", "", false},  // an empty value is no installed font
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << row.name << " " << row.resourceFile << " " << row.key);
    CatalogPlace place;  // a fresh machine and WIN.INI for each row
    place.PlaceFont("HARBOR.TTF", 1200);
    place.PlaceFont("LINDEN", 600);
    place.PlaceFont("CEDAR.TTF", 1500);
    // The Cedar line is always added, so that the result is 1 and no box appears.
    place.WriteList(std::string(row.name) + " Harbor Sans\r\nCEDAR.TTF Cedar Mono\r\n");
    if (*row.resourceFile) place.sandbox.WriteFile(place.sandbox.InSystemDir(row.resourceFile), "");
    if (*row.key) place.sandbox.SetFontsKey(row.key, row.value);

    EXPECT_EQ(1, LoadFontList());
    EXPECT_EQ(2, foundCount);
    EXPECT_EQ(row.installed ? 1 : 2, FontCount);
    EXPECT_EQ("CEDAR.TTF", TableRecords().back().fileName);
    EXPECT_TRUE(place.NewBoxes().empty());
  }
}

}  // namespace
