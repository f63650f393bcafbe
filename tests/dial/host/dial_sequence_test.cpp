// The selection dialog's messages as winsim records them, in the manner of Wine's message tests:
// flush, act, then compare the messages that carry the contract (sent or posted, and in which
// order) with an expected sequence. Also the centring on screens of other sizes, and a progress
// dialog that cannot be created.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "catalog/font_table.h"
#include "dial/dial_harness.h"
#include "dial/dial_input.h"
#include "resource.h"
#include "shell/globals.h"
#include "winsim/user32_sim.h"

namespace {

namespace user32 = winsim::user32;

enum Who { Dialog, Owner, Progress };
enum Flags { Sent = 1, Posted = 2, Optional = 4, AnyParams = 8 };

struct Expected {
  Who who;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int flags;
};

class DialSequence : public DialTest {
 protected:
  // The messages of the three windows since the last ClearRecords, of the kinds that the expected
  // sequence names (WM_COMMAND: from the same control), compared with it; a mismatch prints both
  // sequences. The progress dialog is the first dialog initialised after the selection dialog.
  void ExpectSequence(const std::vector<Expected> &expected, const char *context) {
    HWND progress = nullptr;
    for (const user32::Message &m : user32::Messages())
      if (m.message == WM_INITDIALOG && m.hwnd != openedDialog && progress == nullptr)
        progress = m.hwnd;
    HWND windows[] = {openedDialog, owner, progress};
    auto watched = [&](const user32::Message &m) {
      for (const Expected &e : expected)
        if (m.message == e.message && m.hwnd != nullptr && m.hwnd == windows[e.who] &&
            (m.message != WM_COMMAND || LOWORD(m.wParam) == LOWORD(e.wParam)))
          return true;
      return false;
    };
    std::vector<user32::Message> actual;
    for (const user32::Message &m : user32::Messages())
      if (watched(m)) actual.push_back(m);

    std::ostringstream report;
    size_t a = 0;
    bool ok = true;
    for (const Expected &e : expected) {
      bool matches =
          a < actual.size() && actual[a].hwnd == windows[e.who] && actual[a].message == e.message &&
          ((e.flags & AnyParams) ||
           (actual[a].wParam == e.wParam && actual[a].lParam == e.lParam)) &&
          (!(e.flags & Sent) || !actual[a].posted) && (!(e.flags & Posted) || actual[a].posted);
      if (matches) {
        a++;
      } else if (!(e.flags & Optional)) {
        ok = false;
        report << "  expected " << user32::MessageName(e.message) << " to "
               << (e.who == Dialog  ? "the dialog"
                   : e.who == Owner ? "the owner"
                                    : "the progress dialog")
               << ((e.flags & Posted) ? " posted"
                   : (e.flags & Sent) ? " sent"
                                      : "")
               << " wParam=" << e.wParam << " lParam=" << e.lParam << ", got "
               << (a < actual.size() ? user32::Describe(actual[a]) : std::string("nothing"))
               << "\n";
        break;
      }
    }
    if (ok && a != actual.size()) {
      ok = false;
      report << "  unexpected " << user32::Describe(actual[a]) << "\n";
    }
    if (!ok) {
      report << "  recorded:\n";
      for (const user32::Message &m : actual) report << "    " << user32::Describe(m) << "\n";
    }
    EXPECT_TRUE(ok) << context << "\n" << report.str();
  }
};

TEST_F(DialSequence, InstallSendsTheRunToItselfAndPostsTheCloseAfterTheRun) {
  AddCandidates(FourCandidates);
  OpenDialog();
  MessageBoxWatch watch;
  ClickItem("Birch");
  ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected"; }));
  user32::ClearRecords();
  ClickButton(IDOK);
  ASSERT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));

  // clang-format off
  ExpectSequence({
      {Dialog,   WM_COMMAND,     MAKEWPARAM(IDOK, BN_CLICKED), 0, Sent | AnyParams},
      {Dialog,   WM_RUNINSTALL,  0, 0, Sent},
      {Dialog,   WM_ENABLE,      FALSE, 0, Sent | Optional},
      {Progress, WM_INITDIALOG,  0, 0, Sent | AnyParams},
      {Progress, WM_RUNINSTALL,  0, 0, Posted},
      {Dialog,   WM_ENABLE,      TRUE, 0, Sent | Optional},
      {Progress, WM_DESTROY,     0, 0, Sent},
      {Dialog,   WM_CLOSE,       0, 0, Posted},
      {Owner,    WM_CLOSE,       0, 0, Posted},
      {Dialog,   WM_DESTROY,     0, 0, Sent},
      {Owner,    WM_DESTROY,     0, 0, Sent},
  }, "Install");
  // clang-format on
  std::vector<user32::Call> opened = user32::CallsNamed("DialogBoxParamA");
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(openedDialog, opened[0].hwnd) << "the progress dialog's owner";
  EXPECT_EQ("FontStat", opened[0].text);
  ASSERT_EQ(2u, watch.Shown().size());
  EXPECT_EQ("Cannot copy the font file 'BIRCH.TTF'.", watch.Shown()[0].text);
  EXPECT_EQ("No new fonts were installed.", watch.Shown()[1].text);
}

TEST_F(DialSequence, CancelEscapeAndCloseArePostedOnToTheOwner) {
  struct Row {
    const char *context;
    std::function<void()> act;
    std::vector<Expected> expected;
  };
  // clang-format off
  Row rows[] = {
      {"Cancel", [this] { ClickButton(IDCANCEL); }, {
          {Dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0, Sent | AnyParams},
          {Dialog, WM_CLOSE,   0, 0, Posted},
          {Owner,  WM_CLOSE,   0, 0, Posted}}},
      {"Escape", [] { PressKey(VK_ESCAPE); }, {
          {Dialog, WM_COMMAND, IDCANCEL, 0, Sent | AnyParams},
          {Dialog, WM_CLOSE,   0, 0, Posted},
          {Owner,  WM_CLOSE,   0, 0, Posted}}},
      {"close box", [] { PostMessageA(hFontDial, WM_SYSCOMMAND, SC_CLOSE, 0); }, {
          {Dialog, WM_SYSCOMMAND, SC_CLOSE, 0, Posted},
          {Dialog, WM_CLOSE,      0, 0, Sent},
          {Owner,  WM_CLOSE,      0, 0, Posted}}},
  };
  // clang-format on
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    AddCandidates(FourCandidates);
    OpenDialog();
    ClickItem("Birch");
    ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected"; }));
    user32::ClearRecords();
    row.act();
    ASSERT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
    ExpectSequence(row.expected, row.context);
    for (const user32::Message &m : user32::Messages())
      EXPECT_NE((UINT)WM_RUNINSTALL, m.message) << user32::Describe(m);
    EXPECT_TRUE(user32::CallsNamed("DialogBoxParamA").empty()) << "a run was started";
    CloseDialog();
  }
}

// Centred with the platform's integer division, which rounds toward zero: on a screen smaller
// than the dialog the offsets are negative, and an odd difference loses its half toward zero.
TEST_F(DialSequence, CentresOnScreensOfEveryShape) {
  AddCandidates(FourCandidates);
  OpenDialog();
  RECT rect;
  GetWindowRect(hFontDial, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  CloseDialog();
  struct Row {
    const char *context;
    int screenWidth, screenHeight;
    int left, top;
  } rows[] = {
      {"one pixel wider and taller", width + 1, height + 1, 0, 0},
      {"three pixels wider and taller", width + 3, height + 3, 1, 1},
      {"one pixel narrower and shorter", width - 1, height - 1, 0, 0},
      {"three pixels narrower and shorter", width - 3, height - 3, -1, -1},
      {"as large as the dialog", width, height, 0, 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    user32::SetScreenSize(row.screenWidth, row.screenHeight);
    OpenDialog();
    GetWindowRect(hFontDial, &rect);
    EXPECT_EQ(row.left, rect.left);
    EXPECT_EQ(row.top, rect.top);
    EXPECT_EQ(width, rect.right - rect.left) << "the size changed";
    EXPECT_EQ(height, rect.bottom - rect.top) << "the size changed";
    CloseDialog();
  }
}

// A progress dialog that cannot be created runs nothing and shows nothing; the selection is
// stored all the same and the program ends as after a run.
TEST_F(DialSequence, InstallWithoutAProgressDialogStillCloses) {
  AddCandidates(FourCandidates);
  OpenDialog();
  MessageBoxWatch watch;
  ClickItem("Harbor Sans");
  ASSERT_TRUE(PumpUntil([&] { return Label() == "1 font selected"; }));
  user32::Fail(user32::Operation::DialogBox);
  ClickButton(IDOK);
  ASSERT_TRUE(PumpUntil([&] { return hFontDial == nullptr; }));
  EXPECT_TRUE(user32::FaultFired());
  EXPECT_TRUE(watch.Shown().empty());
  EXPECT_EQ((std::vector<int>{0, 0, 1, 0}), SelectedFlags());
  EXPECT_EQ((std::vector<std::string>{"owner WM_CLOSE(0,0)"}), events);
}

}  // namespace
