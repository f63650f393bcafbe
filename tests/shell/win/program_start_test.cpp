// The program's start in this process: the "/d" option and the first show command, and a window
// that cannot be created.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/dialog_fixture.h"
#include "resource.h"
#include "shell/app_main.h"
#include "shell/font_wind.h"
#include "shell/globals.h"
#include "shell/win/program_run.h"

namespace {

const std::vector<Candidate> OneFont = {{"QBSANS.TTF", "Quillbox Test Sans", 0}};

using ProgramStart = DialogTest;

// The whole command-line tail is the option, compared without regard to case. A maximised start
// shows the owner window normally; it stays parked just below the screen, where a move above the
// screen's bottom edge cannot take it.
TEST_F(ProgramStart, OptionAndFirstShowCommand) {
  WriteList(OneFont);
  struct Row {
    const char *tail;
    int showCommand;
    bool checkBoxShown;
  } rows[] = {{"/d", SW_SHOWNORMAL, true},   {"/D", SW_SHOWNORMAL, true},
              {"/d ", SW_SHOWNORMAL, false}, {"-d", SW_SHOWNORMAL, false},
              {"/dx", SW_SHOWNORMAL, false}, {"", SW_SHOWMAXIMIZED, false}};
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string("tail [") + row.tail + "] show " + std::to_string(row.showCommand));
    bool shown = false, zoomed = true;
    RECT owner = {};
    EXPECT_EQ(0, RunProgramWith(row.tail, row.showCommand, [&] {
                shown = IsWindowVisible(GetDlgItem(hFontDial, IDC_DELETE)) != FALSE;
                zoomed = IsZoomed(OwnerWindow()) != FALSE;
                SetWindowPos(OwnerWindow(), NULL, 100, 100, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                GetWindowRect(OwnerWindow(), &owner);
              }));
    EXPECT_EQ(row.checkBoxShown, shown);
    EXPECT_FALSE(zoomed);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), owner.top);
  }
}

const char *refusedClass;  // the class whose next window the hook refuses to create

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  char name[32] = "";
  if (code == HCBT_CREATEWND && refusedClass != NULL &&
      GetClassNameA((HWND)wParam, name, sizeof name) && lstrcmpA(name, refusedClass) == 0) {
    refusedClass = NULL;
    return 1;
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// Each window the start cannot have is reported as a want of memory. Without an owner window the
// program ends with its failure code; without the selection dialog it closes in order.
TEST_F(ProgramStart, AWindowThatCannotBeHadIsReportedAsWantOfMemory) {
  WriteList(OneFont);
  struct Row {
    const char *context;
    bool classTaken;      // another window class of that name exists already
    const char *refused;  // the class of the window whose creation is refused
    int exitCode;
    bool boxOwned;  // by the owner window
  } rows[] = {
      {"owner class not registered", true, NULL, StartFailedExitCode, false},
      {"owner window not created", false, OwnerClassName, StartFailedExitCode, false},
      {"selection dialog not created", false, "#32770", 0, true},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    WNDCLASSA taken = {0, DefWindowProcA, 0, 0, GetModuleHandleA(NULL), 0, 0, 0, 0, OwnerClassName};
    ASSERT_TRUE(!row.classTaken || RegisterClassA(&taken));
    refusedClass = row.refused;
    size_t before = boxes.Shown().size();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCreation, NULL, GetCurrentThreadId());
    EXPECT_EQ(row.exitCode, RunProgramWith("", SW_SHOWNORMAL, nullptr));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(NULL, refusedClass) << "nothing was refused";
    std::vector<ShownMessageBox> shown = boxes.Shown();
    ASSERT_EQ(before + 1, shown.size());
    EXPECT_EQ(NoMemoryText, shown.back().text);
    EXPECT_EQ(AppCaption, shown.back().caption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONHAND), shown.back().style);
    EXPECT_EQ(row.boxOwned, shown.back().owner != NULL);
  }
}

// Install when the progress dialog cannot be had: the selection is still handed to the table,
// and the program still closes in order, without a run and without a word.
TEST_F(ProgramStart, InstallWithoutAProgressDialogStillCloses) {
  WriteList(OneFont);
  std::vector<int> flags;
  bool ended = false;
  HHOOK hook = NULL;
  EXPECT_EQ(0, RunProgramWith("", SW_SHOWNORMAL, [&] {
              ClickListItem(GetDlgItem(hFontDial, IDC_FONTLIST), "Quillbox Test Sans");
              refusedClass = "#32770";
              hook = SetWindowsHookExA(WH_CBT, RefuseCreation, NULL, GetCurrentThreadId());
              Click(GetDlgItem(hFontDial, IDOK));
              flags = SelectedFlags();
              ended = !Pump();
            }));
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(NULL, refusedClass) << "nothing was refused";
  EXPECT_EQ(std::vector<int>{1}, flags);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_TRUE(ended);
}

}  // namespace
