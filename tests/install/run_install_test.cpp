// The run on the real platform and on winsim alike: a font installed from its record, with the
// real file, font resource and WIN.INI calls under Wine.
#include <gtest/gtest.h>

#include "install/run_fixture.h"
#include "install/run_host.h"
#include "shell/globals.h"

namespace {

const std::string SerifName = "Quillbox Test Serif One";

class RunInstallTest : public RunTest {
 protected:
  RunInstallTest() {
    sandbox().WillCreateInSystemDir("SERIF1.TTF");
    sandbox().WillCreateInSystemDir("SERIF1.Fot");
    sandbox().WillWriteFontsKey(SerifName);
  }
};

TEST_F(RunInstallTest, RecordBecomesUpperCaseCopyResourceAndWinIniKey) {
  const std::string font = Sandbox::RealFont(1);
  AddFont("serif1.ttf", SerifName, font);
  Run();

  EXPECT_EQ(font, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
  EXPECT_TRUE(sandbox().Exists(sandbox().InSystemDir("SERIF1.Fot")));
  EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey(SerifName));
  EXPECT_EQ(font, sandbox().ReadFile(sandbox().InProgramDir("serif1.ttf")));
  // One TrueType font in the resource: the real AddFontResourceA says 1.
  ExpectBoxes({{"1 new TrueType font is now available.", Summary}});
  EXPECT_EQ(SerifName, Line(RunFontLine));
  EXPECT_EQ("SERIF1.TTF", Line(RunFileLine));
  std::vector<std::pair<UINT, std::string>> broadcasts = Broadcasts();
  ASSERT_EQ(2u, broadcasts.size());
  EXPECT_EQ(static_cast<UINT>(WM_FONTCHANGE), broadcasts[0].first);
  EXPECT_EQ(static_cast<UINT>(WM_WININICHANGE), broadcasts[1].first);
  // Its text, "Fonts", is checked on the host only: Wine 8 garbles the text of a broadcast
  // WM_WININICHANGE on its way to an ANSI window.
}

}  // namespace
