// How a run ends: the summary's wording by the number of fonts added, and the broadcasts only
// when something was added.
#include <gtest/gtest.h>
#include <winsim/sim.h>

#include "install/run_fixture.h"

namespace {

class RunSummaryTest : public RunTest {};

TEST_F(RunSummaryTest, WordingAndBroadcastsFollowTheFontsAdded) {
  struct Row {
    const char *context;
    int fontsPerResource;
    int fonts;  // selected, each with a sound file
    int unselected;
    const char *summary;
  } rows[] = {
      {"nothing selected", 1, 0, 2, "No new fonts were installed."},
      {"one font", 1, 1, 1, "1 new TrueType font is now available."},
      {"one resource adding two fonts", 2, 1, 0, "2 new TrueType fonts are now available."},
      {"two resources adding three each", 3, 2, 0, "6 new TrueType fonts are now available."},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    FreshMachine();
    winsim::SetAddFontResourceResult(row.fontsPerResource);
    for (int i = 0; i < row.fonts + row.unselected; i++) {
      std::string name = "FONT" + std::to_string(i);
      sandbox().WriteFile(sandbox().InProgramDir(name + ".TTF"), Sandbox::RealFont(i));
      AddRecord(name + ".TTF", "Font " + std::to_string(i), 1000, i < row.fonts);
    }
    Run();
    ExpectBoxes({{row.summary, Summary}});
    std::vector<std::pair<UINT, std::string>> expected;
    if (row.fonts > 0) expected = {{WM_FONTCHANGE, ""}, {WM_WININICHANGE, "Fonts"}};
    EXPECT_EQ(expected, Broadcasts());
    EXPECT_FALSE(
        sandbox().Exists(sandbox().InSystemDir("FONT" + std::to_string(row.fonts) + ".TTF")));
  }
}

}  // namespace
