// The run on the real platform and on winsim alike: a font installed from its list entry, the
// same font refused by a second run, and a program that already lies in the system directory.
#include <gtest/gtest.h>

#include "run/run_fixture.h"
#include "run/run_host_double.h"
#include "shell/globals.h"

namespace {

constexpr UINT Failure = MB_ICONWARNING | MB_OKCANCEL;
constexpr UINT Summary = MB_ICONINFORMATION;
const std::string SerifName = "Quillbox Test Serif One";

class RunInstallTest : public RunTest {
 protected:
  void ExpectInstalled(const std::string &fontBytes) {
    EXPECT_EQ(fontBytes, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
    EXPECT_TRUE(sandbox().Exists(sandbox().InSystemDir("SERIF1.Fot")));
    EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey(SerifName));
  }
  void PrepareSerif() {
    sandbox().WillCreateInSystemDir("SERIF1.TTF");
    sandbox().WillCreateInSystemDir("SERIF1.Fot");
    sandbox().WillWriteFontsKey(SerifName);
  }
};

TEST_F(RunInstallTest, ListEntryBecomesUpperCaseCopyResourceAndWinIniKey) {
  const std::string font = Sandbox::RealFont(1);
  PrepareSerif();
  AddFont("serif1.ttf", SerifName, font);
  Run();

  ExpectInstalled(font);
  EXPECT_EQ(font, sandbox().ReadFile(sandbox().InProgramDir("serif1.ttf")));
  // One TrueType font in the resource: the real AddFontResourceA says 1.
  ExpectBoxes({{"1 new TrueType font is now available.", Summary}});
  EXPECT_EQ(SerifName, FontLine());
  EXPECT_EQ("SERIF1.TTF", FileLine());
  std::vector<SeenBroadcast> broadcasts = Broadcasts();
  ASSERT_EQ(2u, broadcasts.size());
  EXPECT_EQ(static_cast<UINT>(WM_FONTCHANGE), broadcasts[0].message);
  EXPECT_EQ(static_cast<UINT>(WM_WININICHANGE), broadcasts[1].message);
  // Its text, "Fonts", is checked on the host only: Wine 8 garbles the text of a broadcast
  // WM_WININICHANGE on its way to an ANSI window.
  EXPECT_EQ((std::vector<int>{100}), run_host::Percents());
  EXPECT_EQ(1, Record(0).selected);
}

TEST_F(RunInstallTest, SecondRunOfTheSameFontStopsAtWinIniAndTouchesNothing) {
  const std::string font = Sandbox::RealFont(1);
  PrepareSerif();
  AddFont("serif1.ttf", SerifName, font);
  Run();
  ExpectInstalled(font);
  const std::string resource = sandbox().ReadFile(sandbox().InSystemDir("SERIF1.Fot"));
  const std::string winIni = sandbox().WinIni();

  // The same record again, as if the list had offered the font a second time; its source now
  // differs, so a copy would show.
  sandbox().WriteFile(sandbox().InProgramDir("serif1.ttf"), Sandbox::RealFont(4));
  run_host::Reset();
  ReceivedBroadcasts().clear();
  Run();

  ExpectBoxes({{"1 new TrueType font is now available.", Summary},
               {"Cannot install the font '" + SerifName + "'.", Failure},
               {"No new fonts were installed.", Summary}});
  EXPECT_TRUE(Broadcasts().empty());
  EXPECT_EQ(font, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
  EXPECT_EQ(resource, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.Fot")));
  EXPECT_EQ(Sandbox::RealFont(4), sandbox().ReadFile(sandbox().InProgramDir("serif1.ttf")));
  EXPECT_EQ(winIni, sandbox().WinIni());
  // Passed over with OK: the bar still advances for it.
  EXPECT_EQ((std::vector<int>{100}), run_host::Percents());
}

TEST_F(RunInstallTest, ProgramInTheSystemDirectoryKeepsItsFontsEvenWhenDeleting) {
  const std::string font = Sandbox::RealFont(2);
  PrepareSerif();
  sandbox().WriteFile(sandbox().InSystemDir("SERIF1.TTF"), font);
  hInst = ModuleInSystemDirectory(sandbox());
  DeleteOriginals = 1;
  AddRecord("serif1.ttf", SerifName, static_cast<int>(font.size()));
  Run();

  ExpectBoxes({{"1 new TrueType font is now available.", Summary}});
  // Neither emptied by a copy onto itself nor deleted as the original.
  EXPECT_EQ(font, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
  EXPECT_TRUE(sandbox().Exists(sandbox().InSystemDir("SERIF1.Fot")));
  EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey(SerifName));
}

}  // namespace
