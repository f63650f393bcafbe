// Under Wine, with real files: only a font file goes into the system directory, and only over a
// font, an empty file or itself; and a font whose registration in WIN.INI fails takes back its
// .Fot, so that the next start offers it again.
#include <gtest/gtest.h>

#include "catalog/list_loader.h"
#include "install/run_fixture.h"

namespace {

const char NotAFontBytes[] = "MZ\x90\0 a library, not a font";
const std::string NotAFont(NotAFontBytes, sizeof NotAFontBytes - 1);

class CopyRefusals : public RunTest {
 protected:
  // The font QBCOPY.TTF of bytes source beside the program, whatever lies in the system directory
  // under its name before, and a run of it.
  void RunOne(const std::string &source, const std::string *target, bool sameFile) {
    FreshMachine();
    sandbox().WillCreateInSystemDir("QBCOPY.TTF");
    sandbox().WillCreateInSystemDir("QBCOPY.Fot");
    sandbox().WillWriteFontsKey("Quillbox Copy Probe");
    AddFont("QBCOPY.TTF", "Quillbox Copy Probe", source);
    const std::string copy = sandbox().InSystemDir("QBCOPY.TTF");
    if (sameFile)
      ASSERT_TRUE(
          CreateHardLinkA(copy.c_str(), sandbox().InProgramDir("QBCOPY.TTF").c_str(), NULL));
    else if (target != nullptr)
      sandbox().WriteFile(copy, *target);
    Run();
  }
};

TEST_F(CopyRefusals, OnlyAFontGoesInAndOnlyOverAFontAnEmptyFileOrItself) {
  const std::string font = Sandbox::RealFont(0);
  const std::string older = Sandbox::RealFont(1);
  const std::string empty;
  struct Row {
    const char *context;
    const std::string &source;
    const std::string *target;  // null: nothing there before
    bool sameFile;              // the target is the source itself
    bool installed;
  } rows[] = {
      {"source not a font", NotAFont, nullptr, false, false},
      {"target not a font", font, &NotAFont, false, false},
      {"target empty", font, &empty, false, true},
      {"an older font replaced", font, &older, false, true},
      {"target the same file, a font", font, nullptr, true, true},
      {"target the same file, not a font", NotAFont, nullptr, true, false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    RunOne(row.source, row.target, row.sameFile);
    const std::string copy = sandbox().InSystemDir("QBCOPY.TTF");
    if (row.installed) {
      ExpectBoxes({{"1 new TrueType font is now available.", Summary}});
      EXPECT_TRUE(sandbox().ReadFile(copy) == row.source);
      EXPECT_EQ("QBCOPY.Fot", sandbox().FontsKey("Quillbox Copy Probe"));
    } else {
      ExpectBoxes({{"Cannot copy the font file 'QBCOPY.TTF'.", Failure},
                   {"No new fonts were installed.", Summary}});
      // Nothing written: what lay there is as it was, and no file that is no font came in.
      std::string before = row.sameFile ? row.source : row.target ? *row.target : "";
      EXPECT_EQ(row.target != nullptr || row.sameFile, sandbox().Exists(copy));
      EXPECT_TRUE(sandbox().ReadFile(copy) == before);
      EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("QBCOPY.Fot")));
      EXPECT_EQ("", sandbox().FontsKey("Quillbox Copy Probe"));
    }
    EXPECT_TRUE(sandbox().ReadFile(sandbox().InProgramDir("QBCOPY.TTF")) == row.source);
  }
}

// WIN.INI held open by another program without sharing cannot be written: the font fails at its
// registration, takes back its .Fot, and is offered again by the next start.
TEST_F(CopyRefusals, AFontWhoseRegistrationFailedIsOfferedAgain) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string winIni = std::string(windows) + "\\win.ini";
  sandbox().WillCreateInSystemDir("QBCOPY.TTF");
  sandbox().WillCreateInSystemDir("QBCOPY.Fot");
  sandbox().WillWriteFontsKey("Quillbox Copy Probe");
  AddFont("QBCOPY.TTF", "Quillbox Copy Probe", Sandbox::RealFont(0));
  HANDLE held = CreateFileA(winIni.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  Run();
  CloseHandle(held);
  ExpectBoxes({{"Cannot install the font 'Quillbox Copy Probe'.", Failure},
               {"No new fonts were installed.", Summary}});
  EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("QBCOPY.Fot")));

  ReleaseFontList();
  sandbox().WriteFile(sandbox().InProgramDir("Quillbox.Lst"), "QBCOPY.TTF Quillbox Copy Probe\r\n");
  EXPECT_EQ(1, LoadFontList());
  EXPECT_EQ(1, FontCount);
}

}  // namespace
