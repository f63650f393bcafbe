// FontWindProc, message by message, in a running program: what each message makes the owner
// window call, in which order, what it returns, and what is passed on to DefWindowProcA.
#include "shell/host/shell_fixture.h"

#include "resource.h"
#include "shell/globals.h"
#include "winsim/sim.h"

#include <climits>

namespace {

namespace user32 = winsim::user32;

// Sends a message to the owner window from the test and returns its result.
LRESULT SendToOwner(HWND owner, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(owner, message, wParam, lParam);
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// WM_WINDOWPOSCHANGING: a new y above the screen's bottom edge becomes "no move" unless the
// window is minimised; every other part of the change is left alone.
TEST_F(ShellTest, WindowPosChanging) {
  struct Row {
    const char *context;
    bool minimised;
    int x, y;
    UINT flagsIn;
    UINT flagsOut;
  };
  constexpr UINT Others = SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE;
  const Row rows[] = {
      {"one row above the edge", false, 0, 767, 0, SWP_NOMOVE},
      {"on the first row below", false, 0, 768, 0, 0},
      {"further below", false, 0, 2000, 0, 0},
      {"any x below the edge", false, -5000, 768, 0, 0},
      {"any x above the edge", false, 5000, 0, 0, SWP_NOMOVE},
      {"negative y", false, 0, -1, 0, SWP_NOMOVE},
      {"most negative y", false, 0, INT_MIN, 0, SWP_NOMOVE},
      {"other flags kept", false, 0, 100, Others, Others | SWP_NOMOVE},
      {"already no move", false, 0, 100, SWP_NOMOVE, SWP_NOMOVE},
      {"minimised, above the edge", true, 10, 10, 0, 0},
      {"minimised, at the minimised place", true, -32000, -32000, Others, Others},
  };
  WriteListAndFonts();
  Idle([&] {
    FindWindows();
    for (const Row &row : rows) {
      SCOPED_TRACE(row.context);
      if (row.minimised && !IsIconic(owner)) ShowWindow(owner, SW_MINIMIZE);
      WINDOWPOS pos = {owner, nullptr, row.x, row.y, 33, 44, row.flagsIn};
      size_t mark = Mark();
      EXPECT_EQ(0, SendToOwner(owner, WM_WINDOWPOSCHANGING, 0, (LPARAM)&pos));
      EXPECT_EQ(row.flagsOut, pos.flags);
      EXPECT_EQ(row.x, pos.x);
      EXPECT_EQ(row.y, pos.y);
      EXPECT_EQ(33, pos.cx);
      EXPECT_EQ(44, pos.cy);
      std::vector<std::string> expected = {Call("IsIconic", "owner")};
      if (!row.minimised) expected.push_back(Call("GetSystemMetrics", "null", {SM_CYSCREEN}));
      expected.push_back(Call("DefWindowProcA", "owner", {WM_WINDOWPOSCHANGING, 0, Pointer}));
      EXPECT_EQ(expected, CallsSince(mark));
    }
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());
}

// WM_SYSCOMMAND by command, with the selection dialog open: what is called, what is passed on,
// the result, and the state afterwards.
TEST_F(ShellTest, SystemCommands) {
  struct Row {
    const char *context;
    WPARAM command;
    bool minimisedBefore;
    std::vector<std::string> calls;  // shows, posts and WM_SYSCOMMAND passed on
    bool minimisedAfter;
    bool dialogVisibleAfter;
  };
  auto passedOn = [](WPARAM command) {
    return Call("DefWindowProcA", "owner", {WM_SYSCOMMAND, (intptr_t)command, 0});
  };
  auto hidden = [&](WPARAM command) {
    return std::vector<std::string>{Call("ShowWindow", "dialog", {SW_HIDE}), passedOn(command)};
  };
  const std::vector<std::string> restored = {Call("ShowWindow", "owner", {SW_SHOWNORMAL}),
                                             Call("ShowWindow", "dialog", {SW_SHOW}),
                                             Call("UpdateWindow", "dialog")};
  const Row rows[] = {
      {"minimise", SC_MINIMIZE, false, hidden(SC_MINIMIZE), true, false},
      {"restore", SC_RESTORE, true, restored, false, true},
      {"minimise, low bits set", SC_MINIMIZE | 3, false, hidden(SC_MINIMIZE | 3), true, false},
      {"restore, low bits set", SC_RESTORE | 2, true, restored, false, true},
      {"restore while not minimised", SC_RESTORE, false, {passedOn(SC_RESTORE)}, false, true},
      {"maximise", SC_MAXIMIZE, false, {}, false, true},
      {"minimise again", SC_MINIMIZE, false, hidden(SC_MINIMIZE), true, false},
      {"maximise while minimised", SC_MAXIMIZE, true, {}, true, false},
      {"restore again", SC_RESTORE, true, restored, false, true},
  };
  // IsIconic is left out: the moves that minimise and restore bring ask it too.
  const std::vector<std::string> names = {"ShowWindow", "UpdateWindow", "PostMessageA",
                                          "DefWindowProcA", "CreateDialogParamA"};
  auto checkRows = [&] {
    for (const Row &row : rows) {
      SCOPED_TRACE(row.context);
      ASSERT_EQ(row.minimisedBefore, IsIconic(owner) != 0) << "the rows' order is off";
      size_t mark = Mark();
      EXPECT_EQ(0, SendToOwner(owner, WM_SYSCOMMAND, row.command));
      EXPECT_EQ(row.calls, CallsSince(mark, names, {WM_SYSCOMMAND}));
      EXPECT_EQ(row.minimisedAfter, IsIconic(owner) != 0);
      EXPECT_EQ(row.dialogVisibleAfter, IsWindowVisible(dialog) != 0);
      EXPECT_EQ(dialog, hFontDial) << "the same dialog throughout";
      if (!row.minimisedAfter) {
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), WindowRect(owner).top);
      }
    }
  };
  WriteListAndFonts();
  Idle([&] {
    FindWindows();
    checkRows();
    ShowWindow(owner, SW_RESTORE);
    // Close from the system menu comes back as WM_CLOSE and ends the program.
    SendToOwner(owner, WM_SYSCOMMAND, SC_CLOSE);
  });
  EXPECT_EQ(0, Run());
  EXPECT_EQ(0, user32::LiveWindows());
}

// WM_OPENFONTDIAL does nothing while the owner window is minimised, and nothing once the dialog
// exists: there is one selection dialog per run.
TEST_F(ShellTest, OpenFontDialOnlyOnce) {
  WriteListAndFonts();
  Idle([&] {
    FindWindows();
    size_t mark = Mark();
    EXPECT_EQ(0, SendToOwner(owner, WM_OPENFONTDIAL));
    EXPECT_EQ(dialog, hFontDial);
    EXPECT_EQ(0, CountCalls(mark, "CreateDialogParamA")) << "a second dialog";

    ShowWindow(owner, SW_MINIMIZE);
    mark = Mark();
    EXPECT_EQ(0, SendToOwner(owner, WM_OPENFONTDIAL));
    EXPECT_EQ((std::vector<std::string>{Call("IsIconic", "owner")}), CallsSince(mark));
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());
  EXPECT_EQ(1, CountCalls(0, "CreateDialogParamA"));
}

// Messages that the owner window does not handle reach DefWindowProcA unchanged, and its result
// is returned.
TEST_F(ShellTest, OtherMessagesPassedOn) {
  struct Row {
    const char *context;
    UINT message;
    WPARAM wParam;
    const char *text;  // lParam points to it when not null
    LRESULT result;
  };
  const Row rows[] = {
      {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH, 0, nullptr, 27},
      {"WM_SETTEXT", WM_SETTEXT, 0, "New", TRUE},
      {"WM_GETTEXTLENGTH after it", WM_GETTEXTLENGTH, 0, nullptr, 3},
      {"WM_RUNINSTALL is not the owner's", WM_RUNINSTALL, 0, nullptr, 0},
      {"WM_USER + 199", WM_USER + 199, 5, nullptr, 0},
      {"WM_NULL", WM_NULL, 0x1234, nullptr, 0},
  };
  WriteListAndFonts();
  Idle([&] {
    FindWindows();
    for (const Row &row : rows) {
      SCOPED_TRACE(row.context);
      LPARAM lParam = row.text ? (LPARAM)row.text : 77;
      size_t mark = Mark();
      EXPECT_EQ(row.result, SendToOwner(owner, row.message, row.wParam, lParam));
      EXPECT_EQ((std::vector<std::string>{
                    Call("DefWindowProcA", "owner",
                         {(intptr_t)row.message, (intptr_t)row.wParam, row.text ? Pointer : 77})}),
                CallsSince(mark, OwnerContractCalls, {row.message}));
    }
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());
}

}  // namespace
