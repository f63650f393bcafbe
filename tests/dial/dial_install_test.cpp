// How the selection dialog ends: Install stores the list's selection in the candidate table, runs
// the installation through the progress dialog and then asks the owner to close; Cancel, Escape
// and the close box only ask the owner to close; minimise is passed to the owner.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "dial/dial_harness.h"
#include "dial/dial_input.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

using DialInstall = DialTest;

// The candidates' files are not beside the program, so the run reports each selected font, in
// table order, and installs nothing; its messages show which records it found selected.
TEST_F(DialInstall, StoresTheListSelectionInTheTableThenRunsThenCloses) {
  struct Row {
    const char *context;
    bool byEnterKey;
  } rows[] = {{"Install clicked", false}, {"Enter pressed in the list", true}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    AddCandidates(FourCandidates);
    SetSelectedFlags(1);  // stale flags: Install must clear those of unselected names
    OpenDialog();
    MessageBoxWatch watch;
    WatchRun(&watch);
    ClickItem("Harbor Sans");   // list position 2, table position 2
    ClickItem("Zephyr Serif");  // list position 3, table position 0
    ASSERT_TRUE(PumpUntil([&] { return Label() == "2 fonts selected"; }));
    if (row.byEnterKey)
      PressKey(VK_RETURN);
    else
      ClickButton(IDOK);
    EXPECT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }))
        << "the owner was not asked to close";

    EXPECT_EQ((std::vector<int>{1, 0, 1, 0}), SelectedFlags());
    ExpectRunThenClose(watch,
                       {"Cannot copy the font file 'ZEPHYR.TTF'.",
                        "Cannot copy the font file 'HARBOR.TTF'.", "No new fonts were installed."});
    CloseDialog();
  }
}

// IDOK can arrive with nothing selected (sent by another program, say): the table is cleared
// and the run still starts, finds nothing to do and says so.
TEST_F(DialInstall, OkWithNothingSelectedClearsTheTableAndStillRuns) {
  AddCandidates(FourCandidates);
  SetSelectedFlags(1);
  OpenDialog();
  MessageBoxWatch watch;
  WatchRun(&watch);
  PostMessageA(hFontDial, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), SelectedFlags());
  ExpectRunThenClose(watch, {"No new fonts were installed."});
}

// The dialog manager does not press a disabled default button.
TEST_F(DialInstall, EnterWithNothingSelectedDoesNothing) {
  AddCandidates(FourCandidates);
  OpenDialog();
  MessageBoxWatch watch;
  TabTo(IDC_FONTLIST);
  PressKey(VK_RETURN);
  Settle();
  EXPECT_NE(nullptr, hFontDial);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(watch.Shown().empty());
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), SelectedFlags());
}

TEST_F(DialInstall, OkWithAnEmptyListOnlyCloses) {
  OpenDialog();
  MessageBoxWatch watch;
  WatchRun(&watch);
  EXPECT_TRUE(Items().empty());
  ClickButton(IDC_SELECTALL);
  EXPECT_TRUE(PumpUntil([] { return FocusId() == IDC_SELECTALL; }));
  Settle();
  EXPECT_EQ("No fonts selected", Label());
  EXPECT_FALSE(InstallEnabled());
  PostMessageA(hFontDial, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
  ExpectRunThenClose(watch, {});  // no run: no progress dialog and no box
}

using DialLeave = DialTest;

TEST_F(DialLeave, CancelEscapeAndTheCloseBoxCloseWithoutInstalling) {
  struct Row {
    const char *context;
    std::function<void()> act;
  } rows[] = {
      {"Cancel clicked", [this] { ClickButton(IDCANCEL); }},
      {"Escape pressed", [] { PressKey(VK_ESCAPE); }},
      {"close box", [] { PostMessageA(hFontDial, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    AddCandidates(FourCandidates);
    SetSelectedFlags(7);
    OpenDialog();
    MessageBoxWatch watch;
    WatchRun(&watch);
    ClickItem("Birch");
    ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected"; }));
    row.act();
    EXPECT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
    Settle();
    ExpectRunThenClose(watch, {});
    EXPECT_EQ((std::vector<int>{7, 7, 7, 7}), SelectedFlags()) << "Install's copy ran";
    CloseDialog();
  }
}

TEST_F(DialLeave, MinimiseIsPassedToTheOwner) {
  struct Row {
    const char *context;
    WPARAM command;
  } rows[] = {{"minimise box", SC_MINIMIZE}, {"with the low bits set", SC_MINIMIZE | 2}};
  AddCandidates(FourCandidates);
  OpenDialog();
  ClickItem("Birch");
  ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected"; }));
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    PostMessageA(hFontDial, WM_SYSCOMMAND, row.command, 0);
    EXPECT_TRUE(PumpUntil([&] { return !events.empty(); }));
    Settle();
    EXPECT_EQ((std::vector<std::string>{"owner WM_SYSCOMMAND(0xf020,0)"}), events);
    EXPECT_FALSE(IsIconic(hFontDial)) << "the dialog minimised itself";
    EXPECT_TRUE(IsWindowVisible(hFontDial));
    EXPECT_EQ((std::vector<std::string>{"Birch"}), SelectedItems());
    events.clear();
  }
}

}  // namespace
