// Fonts that are installed already: a .Fot file of the name in the system directory, or a
// WIN.INI key with a value. Such a line counts as found but gives no record.
#include "catalog/list_loader.h"

#include "catalog_test_support.h"

namespace {

TEST(ListLoaderInstalled, ResourceFileOrProfileKeyMarksAFontInstalled) {
  struct Row {
    const char *context;
    const char *line;
    const char *resourceFile;  // in the system directory, or null
    const char *key;           // WIN.INI Fonts key set for the row, or null
    const char *value;
    bool installed;
  };
  const Row rows[] = {
      {"nothing installed", "HARBOR.TTF Harbor Sans", nullptr, nullptr, nullptr, false},
      {"the .Fot file is present", "HARBOR.TTF Harbor Sans", "HARBOR.Fot", nullptr, nullptr, true},
      {"the .Fot file found in another letter case", "harbor.ttf Harbor Sans", "HARBOR.FOT",
       nullptr, nullptr, true},
      {"a resource named after the whole file name", "HARBOR.TTF Harbor Sans", "HARBOR.TTF.Fot",
       nullptr, nullptr, false},
      {"a name without a dot has .Fot appended", "LINDEN Linden Book", "LINDEN.Fot", nullptr,
       nullptr, true},
      {"a WIN.INI key with a value", "HARBOR.TTF Harbor Sans", nullptr, "Harbor Sans", "HARBOR.Fot",
       true},
      {"a WIN.INI key in another letter case", "HARBOR.TTF Harbor Sans", nullptr, "HARBOR SANS",
       "OTHER.Fot", true},
      {"a WIN.INI key with an empty value", "HARBOR.TTF Harbor Sans", nullptr, "Harbor Sans", "",
       false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    CatalogPlace place;  // a fresh machine and WIN.INI for each row
    place.PlaceFont("HARBOR.TTF", 1200);
    place.PlaceFont("LINDEN", 600);
    place.PlaceFont("CEDAR.TTF", 1500);
    // The Cedar line is always added, so that the result is 1 and no box appears.
    place.WriteList(std::string(row.line) + "\r\nCEDAR.TTF Cedar Mono\r\n");
    if (row.resourceFile != nullptr)
      place.sandbox.WriteFile(place.sandbox.InSystemDir(row.resourceFile), "resource");
    if (row.key != nullptr) place.sandbox.SetFontsKey(row.key, row.value);

    EXPECT_EQ(1, LoadFontList());
    EXPECT_EQ(2, foundCount);
    EXPECT_EQ(row.installed ? 1 : 2, FontCount);
    EXPECT_EQ("CEDAR.TTF", TableRecords().back().fileName);
    EXPECT_TRUE(place.NewBoxes().empty());
  }
}

}  // namespace
