// The real program under Wine, seen from the desktop: what the command line and a maximised start
// do, moves of the owner window, and the exit code of an orderly close. Where the windows first
// appear, the hand-over to a running copy, and minimise and restore are checked with real input
// in the end-to-end scenarios.
#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "resource.h"
#include "shell/win/real_program.h"

#include <string>

namespace {

class RealProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(nullptr, FindOwnerWindow()) << "a copy of the program is still running";
    dir_ = sandbox_.ProgramDir();
    ASSERT_TRUE(PrepareProgramFolder(dir_)) << BuiltProgramPath();
  }

  // Starts the program and waits until its selection dialog is on the screen.
  void StartWithDialog(const std::string &tail, int showCommand = SW_SHOWNORMAL) {
    ASSERT_TRUE(program_.Start(dir_, tail, showCommand));
    ASSERT_TRUE(WaitUntil([&] {
      owner_ = FindOwnerWindow();
      dialog_ = FindOwnedDialog(owner_);
      return dialog_ && IsWindowVisible(dialog_);
    })) << "no selection dialog appeared";
  }

  // Closes the program through its owner window, as the window list's Close does.
  void CloseAndExpectExitCode(int code) {
    PostMessageA(owner_, WM_CLOSE, 0, 0);
    EXPECT_EQ(code, program_.WaitForExit());
    EXPECT_EQ(nullptr, FindOwnerWindow());
  }

  Sandbox sandbox_;
  std::string dir_;
  RealProgram program_;
  HWND owner_ = NULL;
  HWND dialog_ = NULL;
};

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// The whole tail after the program's name is the option, compared without regard to case.
TEST_F(RealProgramTest, CommandLineOption) {
  struct Row {
    const char *tail;
    bool deleteBoxShown;
  };
  const Row rows[] = {
      {" /d", true},  {" /D", true}, {"\t/d", true},  {" /d ", false},
      {" -d", false}, {"", false},   {" /dx", false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string("tail [") + row.tail + "]");
    StartWithDialog(row.tail);
    HWND deleteBox = GetDlgItem(dialog_, IDC_DELETE);
    ASSERT_NE(nullptr, deleteBox);
    EXPECT_EQ(row.deleteBoxShown, IsWindowVisible(deleteBox) != 0);
    CloseAndExpectExitCode(0);
    if (HasFatalFailure()) return;
  }
}

TEST_F(RealProgramTest, StartedMaximisedShowsNormally) {
  StartWithDialog("", SW_SHOWMAXIMIZED);
  EXPECT_FALSE(IsZoomed(owner_));
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), WindowRect(owner_).top);
  // Maximize from the system menu does nothing.
  PostMessageA(owner_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Sleep(300);
  EXPECT_FALSE(IsZoomed(owner_));
  EXPECT_TRUE(IsWindowVisible(dialog_));
  CloseAndExpectExitCode(0);
}

// A move of the owner window above the screen's bottom edge is refused; one below it is not.
TEST_F(RealProgramTest, OwnerWindowStaysBelowScreen) {
  StartWithDialog("");
  int bottom = GetSystemMetrics(SM_CYSCREEN);
  struct Row {
    int x, y;
    int wantX, wantY;
  };
  const Row rows[] = {
      {100, 100, 0, bottom},  {0, bottom - 1, 0, bottom},
      {50, -20, 0, bottom},   {40, bottom + 30, 40, bottom + 30},
      {0, bottom, 0, bottom},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE("move to " + std::to_string(row.x) + ", " + std::to_string(row.y));
    SetWindowPos(owner_, NULL, row.x, row.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect = WindowRect(owner_);
    EXPECT_EQ(row.wantX, rect.left);
    EXPECT_EQ(row.wantY, rect.top);
  }
  CloseAndExpectExitCode(0);
}

}  // namespace
