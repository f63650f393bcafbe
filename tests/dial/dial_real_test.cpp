// The whole road through the dialog with real candidates: the loader reads a list file beside
// the program, the dialog lists what it found, and Install installs the selected font for real.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/list_loader.h"
#include "dial/dial_harness.h"
#include "dial/dial_input.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

using DialReal = DialTest;

TEST_F(DialReal, InstallsTheSelectedCandidateAndDeletesItsSourceWhenAsked) {
  sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"),
                    "QBDIALB.TTF Quillbox Dial Beta\r\n"
                    "qbdiala.ttf   quillbox Dial Alpha\r\n");
  sandbox.WriteFile(sandbox.InProgramDir("QBDIALB.TTF"), Sandbox::RealFont(0));
  sandbox.WriteFile(sandbox.InProgramDir("QBDIALA.TTF"), Sandbox::RealFont(1));
  sandbox.WillCreateInSystemDir("QBDIALA.TTF");
  sandbox.WillCreateInSystemDir("QBDIALA.Fot");
  sandbox.WillWriteFontsKey("quillbox Dial Alpha");
  ASSERT_EQ(1, LoadFontList());
  ShowDeleteOption = 1;
  OpenDialog();
  ASSERT_EQ((std::vector<std::string>{"quillbox Dial Alpha", "Quillbox Dial Beta"}), Items());

  MessageBoxWatch watch;
  WatchRun(&watch);
  ClickButton(IDC_DELETE);
  ASSERT_TRUE(PumpUntil([] { return DeleteOriginals == 1; }));
  ClickItem("quillbox Dial Alpha");
  ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected" && InstallEnabled(); }));
  PressKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));

  ExpectRunThenClose(watch, {"1 new TrueType font is now available."});
  EXPECT_EQ((std::vector<int>{0, 1}), SelectedFlags());
  EXPECT_EQ(Sandbox::RealFont(1), sandbox.ReadFile(sandbox.InSystemDir("QBDIALA.TTF")));
  EXPECT_TRUE(sandbox.Exists(sandbox.InSystemDir("QBDIALA.Fot")));
  EXPECT_EQ("QBDIALA.Fot", sandbox.FontsKey("quillbox Dial Alpha"));
  EXPECT_FALSE(sandbox.Exists(sandbox.InProgramDir("QBDIALA.TTF"))) << "source kept";
  EXPECT_TRUE(sandbox.Exists(sandbox.InProgramDir("QBDIALB.TTF")));
  EXPECT_FALSE(sandbox.Exists(sandbox.InSystemDir("QBDIALB.TTF")));
  EXPECT_EQ("", sandbox.FontsKey("Quillbox Dial Beta"));
}

}  // namespace
