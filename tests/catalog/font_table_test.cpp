// The candidate table on its own: records kept whole and in order, lookups without regard to
// case that find the first match, and the block unlocked between operations.
#include "catalog/font_table.h"

#include "catalog_test_support.h"

namespace {

using FontTable = CatalogTest;

TEST_F(FontTable, EmptyTableFindsNothingAndHoldsNoBlock) {
  EXPECT_EQ(0, FindByFileName("HARBOR.TTF"));
  EXPECT_EQ(0, FindByFontName("Harbor Sans"));
  EXPECT_EQ(nullptr, FontList);
  ReleaseFontList();
  EXPECT_EQ(nullptr, FontList);
  EXPECT_EQ(0, FontCount);
}

TEST_F(FontTable, RecordsKeepTheirFieldsAndOrder) {
  const std::string longestFile = "ABCDEFGH.AB.CDE";  // 15 characters
  const std::string longestFont(79, '\xC4');
  ASSERT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1200));
  ASSERT_EQ(1, AppendFontItem(longestFile.c_str(), longestFont.c_str(), 0));
  ASSERT_EQ(1, AppendFontItem("cedar.ttf", "Cedar Mono", 0x7FFFFFFF));
  std::vector<TableRecord> expected = {{"HARBOR.TTF", "Harbor Sans", 1200, 0},
                                       {longestFile, longestFont, 0, 0},
                                       {"cedar.ttf", "Cedar Mono", 0x7FFFFFFF, 0}};
  EXPECT_EQ(3, FontCount);
  EXPECT_EQ(expected, TableRecords());
}

TEST_F(FontTable, LookupsIgnoreCaseAndFindTheFirstMatch) {
  // The loader never adds two records with equal names; the table itself does not check.
  ASSERT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  ASSERT_EQ(1, AppendFontItem("CEDAR.TTF", "Cedar Mono", 2));
  ASSERT_EQ(1, AppendFontItem("harbor.ttf", "CEDAR MONO", 3));
  struct Row {
    const char *name;
    int byFile;
    int byFont;
  };
  const Row rows[] = {
      {"HARBOR.TTF", 0, 3},  {"harbor.TTF", 0, 3},   {"Cedar.ttf", 1, 3}, {"cedar mono", 3, 1},
      {"Harbor Sans", 3, 0}, {"Harbor Sans ", 3, 3}, {"HARBOR", 3, 3},    {"", 3, 3},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << "name \"" << row.name << "\"");
    EXPECT_EQ(row.byFile, FindByFileName(row.name));
    EXPECT_EQ(row.byFont, FindByFontName(row.name));
  }
  EXPECT_EQ(0u, GlobalFlags(FontList) & GMEM_LOCKCOUNT);
}

TEST_F(FontTable, ReleaseLeavesAnEmptyTableThatGrowsAgain) {
  ASSERT_EQ(1, AppendFontItem("HARBOR.TTF", "Harbor Sans", 1));
  ReleaseFontList();
  EXPECT_EQ(nullptr, FontList);
  EXPECT_EQ(0, FontCount);
  ASSERT_EQ(1, AppendFontItem("CEDAR.TTF", "Cedar Mono", 2));
  EXPECT_EQ((std::vector<TableRecord>{{"CEDAR.TTF", "Cedar Mono", 2, 0}}), TableRecords());
}

}  // namespace
