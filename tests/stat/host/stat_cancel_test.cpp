// The progress dialog's life as recorded by winsim: the cancel protocol in order, Cancel clicked
// twice, the dialog hidden and shown again, and a WM_STOPINSTALL that a message box's loop
// dispatches instead of the pump.
#include <gtest/gtest.h>

#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"
#include "stat/host/stat_run_sim.h"
#include "stat/stat_fixture.h"

namespace {

constexpr UINT Summary = MB_ICONINFORMATION;

class StatCancelTest : public StatTest {
 protected:
  std::function<HWND()> Finder() {
    return [this] { return FindStatDialog(); };
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const winsim::MessageBoxRecord &box : winsim::MessageBoxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(StatCancelTest, CancelDuringThePumpEndsTheDialogOnceAndStopsTheRun) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  AddFont("sans2.ttf", "Sans Two", Sandbox::RealFont(3));
  HWND seen = NULL;
  WhenRunPolls(Finder(), [&](HWND dialog) {
    seen = dialog;
    EXPECT_TRUE(winsim::user32::Click(GetDlgItem(dialog, IDCANCEL)));
  });
  int endedAtSummary = -1;
  winsim::user32::OnMessageBox(
      [&](HWND, const winsim::MessageBoxRecord &) { endedAtSummary = StatEnded; });

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_NE(static_cast<HWND>(NULL), seen);
  ExpectSequence(seen, {{WM_INITDIALOG, false, AnyWParam},
                        {WM_SHOWWINDOW, false, TRUE},
                        {WM_RUNINSTALL, true, 0},
                        {WM_COMMAND, false, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                        {WM_STOPINSTALL, true, 0},
                        {WM_SHOWWINDOW, false, FALSE, true}});
  EXPECT_EQ(1, CallCount("EndDialog", seen));
  // The dialog was ended by the cancel, before the summary, and the handler did not end it again.
  EXPECT_EQ(1, endedAtSummary);
  EXPECT_EQ(std::vector<std::string>{"No new fonts were installed."}, BoxTexts());
  // Stopped before its first font: nothing shown, nothing installed.
  EXPECT_EQ(0, CallCount("SetDlgItemTextA", seen));
  EXPECT_FALSE(sandbox_.Exists(sandbox_.InSystemDir("SERIF1.TTF")));
  EXPECT_EQ(0, StatPending);
  EXPECT_EQ(1, StatEnded);
  EXPECT_EQ(NULL, FindStatDialog());
}

TEST_F(StatCancelTest, CancelClickedTwiceEndsTheDialogOnce) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  HWND seen = NULL;
  WhenRunPolls(Finder(), [&](HWND dialog) {
    seen = dialog;
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    EXPECT_TRUE(winsim::user32::Click(cancel));
    EXPECT_TRUE(winsim::user32::Click(cancel));
  });

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_NE(static_cast<HWND>(NULL), seen);
  // Both clicks post WM_STOPINSTALL; the pump ends with the first, and the second reaches the
  // dialog through the summary's loop.
  ExpectSequence(seen, {{WM_INITDIALOG, false, AnyWParam},
                        {WM_SHOWWINDOW, false, TRUE},
                        {WM_RUNINSTALL, true, 0},
                        {WM_COMMAND, false, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                        {WM_COMMAND, false, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                        {WM_STOPINSTALL, true, 0},
                        {WM_SHOWWINDOW, false, FALSE, true},
                        {WM_STOPINSTALL, true, 0},
                        {WM_SHOWWINDOW, false, FALSE, true}});
  EXPECT_EQ(1, CallCount("EndDialog", seen));
  EXPECT_EQ(std::vector<std::string>{"No new fonts were installed."}, BoxTexts());
}

TEST_F(StatCancelTest, ShownAgainAfterHidingDoesNotStartASecondRun) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  HWND seen = NULL;
  WhenRunPolls(Finder(), [&](HWND dialog) {
    seen = dialog;
    ShowWindow(dialog, SW_HIDE);
    ShowWindow(dialog, SW_SHOW);
  });

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_NE(static_cast<HWND>(NULL), seen);
  ExpectSequence(seen, {{WM_INITDIALOG, false, AnyWParam},
                        {WM_SHOWWINDOW, false, TRUE},
                        {WM_RUNINSTALL, true, 0},
                        {WM_SHOWWINDOW, false, FALSE},
                        {WM_SHOWWINDOW, false, TRUE},
                        {WM_SHOWWINDOW, false, FALSE, true}});
  EXPECT_EQ(1, CallCount("EndDialog", seen));
  EXPECT_EQ(std::vector<std::string>{"1 new TrueType font is now available."}, BoxTexts());
  EXPECT_EQ("SERIF1.Fot", sandbox_.FontsKey("Serif One"));
}

// The user's cancel arrives while a failure message box runs its own loop: that loop dispatches
// WM_STOPINSTALL and the dialog ends, but the pump never sees it, so the run goes on to its end.
TEST_F(StatCancelTest, StopDispatchedByAMessageBoxEndsTheDialogButNotTheRun) {
  AddMissingFont("gone.ttf", "Gone", 100);
  AddFont("sans2.ttf", "Sans Two", Sandbox::RealFont(3));
  std::vector<DWORD> boxTicks;
  winsim::user32::OnMessageBox([&](HWND, const winsim::MessageBoxRecord &box) {
    if (boxTicks.empty()) PostMessageA(box.owner, WM_STOPINSTALL, 0, 0);
    boxTicks.push_back(winsim::Ticks());
  });

  EXPECT_EQ(0, RunStatDialog(owner_));

  HWND seen = FirstInitDialog();
  ExpectSequence(seen, {{WM_INITDIALOG, false, AnyWParam},
                        {WM_SHOWWINDOW, false, TRUE},
                        {WM_RUNINSTALL, true, 0},
                        {WM_STOPINSTALL, true, 0},
                        {WM_SHOWWINDOW, false, FALSE, true}});
  EXPECT_EQ(1, CallCount("EndDialog", seen));
  EXPECT_EQ((std::vector<std::string>{"Cannot copy the font file 'GONE.TTF'.",
                                      "1 new TrueType font is now available."}),
            BoxTexts());
  EXPECT_EQ("SANS2.Fot", sandbox_.FontsKey("Sans Two"));
  // Between the two boxes the second font still waited out its whole pump.
  ASSERT_EQ(2u, boxTicks.size());
  EXPECT_GE(boxTicks[1] - boxTicks[0], 500u);
}

}  // namespace
