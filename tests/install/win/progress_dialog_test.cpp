// The progress dialog from the real template under Wine, hosting real runs watched through
// thread hooks: its pace, a Cancel at the first pump or clicked twice, the dialog shown again, a
// stop dispatched inside a message box's own loop; and where it stands and how its bar is drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "common/win/dialog_fixture.h"
#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

enum Act { LeftAlone, CancelOnce, CancelTwice, ShownAgain, StopInFirstBox };

// What the hooks saw of one run.
struct Seen {
  Act act = LeftAlone;
  HWND owner = NULL;   // the window that opened the dialog, standing in for the selection dialog
  HWND dialog = NULL;  // the progress dialog, once its modal loop took the request for the run
  DWORD runStart = 0;
  struct Box {
    DWORD tick;
    bool dialogVisible, ownerEnabled;
  };
  std::vector<Box> boxes;  // the run's message boxes as each opened
  bool boxOpen = false;
  bool stopTakenInBox = false;
} seen;

// WH_GETMESSAGE: the user acts as the modal loop takes the request for the run, so that the first
// pump finds what was done; and each stop is noted with the loop that took it.
LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam) {
  const MSG *message = (const MSG *)lParam;
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_RUNINSTALL &&
      seen.dialog == NULL) {
    seen.dialog = message->hwnd;
    seen.runStart = GetTickCount();
    if (seen.act == CancelOnce || seen.act == CancelTwice) Click(GetDlgItem(seen.dialog, IDCANCEL));
    if (seen.act == CancelTwice) Click(GetDlgItem(seen.dialog, IDCANCEL));
    if (seen.act == ShownAgain) {
      ShowWindow(seen.dialog, SW_HIDE);
      ShowWindow(seen.dialog, SW_SHOW);
    }
  }
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_STOPINSTALL)
    seen.stopTakenInBox = seen.boxOpen;
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// WH_CALLWNDPROCRET: a message box of the run is built and about to wait in its own loop. This
// hook is set after the fixture's watch, so it runs first: a stop posted here comes before the
// answer, and the box's loop dispatches it.
LRESULT CALLBACK OnBoxBuilt(int code, WPARAM wParam, LPARAM lParam) {
  const CWPRETSTRUCT *call = (const CWPRETSTRUCT *)lParam;
  if (code == HC_ACTION && seen.dialog != NULL && GetWindow(call->hwnd, GW_OWNER) == seen.dialog) {
    if (call->message == WM_INITDIALOG) {
      seen.boxes.push_back({GetTickCount(), IsWindowVisible(seen.dialog) != FALSE,
                            IsWindowEnabled(seen.owner) != FALSE});
      seen.boxOpen = true;
      if (seen.act == StopInFirstBox && seen.boxes.size() == 1)
        PostMessageA(seen.dialog, WM_STOPINSTALL, 0, 0);
    }
    if (call->message == WM_DESTROY) seen.boxOpen = false;
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// A hidden, frameless pop-up at the given screen rectangle: its client area is the window.
HWND CreateOwner(int x, int y, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.lpszClassName = "QbProgressOwner";
  RegisterClassA(&windowClass);  // registered already by an earlier test: fine
  return CreateWindowExA(0, "QbProgressOwner", "", WS_POPUP, x, y, width, height, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

class ProgressDialog : public DialogTest {
 protected:
  ProgressDialog() {
    seen = Seen();
    owner = CreateOwner(200, 150, 500, 400);
    messageHook = SetWindowsHookExA(WH_GETMESSAGE, OnMessageTaken, NULL, GetCurrentThreadId());
    boxHook = SetWindowsHookExA(WH_CALLWNDPROCRET, OnBoxBuilt, NULL, GetCurrentThreadId());
  }
  ~ProgressDialog() override {
    UnhookWindowsHookEx(messageHook);
    UnhookWindowsHookEx(boxHook);
    DestroyWindow(owner);
  }

  HWND owner;
  HHOOK messageHook, boxHook;
};

const char *const NoNewFonts = "No new fonts were installed.";

// However the run ends, the dialog ends once, after the run has returned: the summary still
// shows over the dialog, with its owner disabled until the dialog is gone. A stop only marks the
// run stopped; the next pump then returns at once.
TEST_F(ProgressDialog, RunsPacedAndEndsOnceAfterTheRun) {
  struct Row {
    const char *context;
    Act act;
    std::vector<Candidate> fonts;
    std::vector<std::string> texts;
    int installed;
    DWORD least, most;  // milliseconds from the run's start to the summary
  } rows[] = {
      {"left alone: 500 ms before each font",
       LeftAlone,
       {{"qbrun1.ttf", "Quillbox Run One", 1}, {"qbrun2.ttf", "Quillbox Run Two", 2}},
       {"2 new TrueType fonts are now available."},
       2,
       1000,
       INFINITE},
      {"shown again at the first pump: no second run",
       ShownAgain,
       {{"qbrun3.ttf", "Quillbox Run Three", 3}},
       {"1 new TrueType font is now available."},
       1,
       500,
       INFINITE},
      {"Cancel at the first pump",
       CancelOnce,
       {{"qbrun4.ttf", "Quillbox Run Four", 4}},
       {NoNewFonts},
       0,
       0,
       500},
      {"Cancel clicked twice at the first pump",
       CancelTwice,
       {{"qbrun5.ttf", "Quillbox Run Five", 5}, {"qbrun6.ttf", "Quillbox Run Six", 0}},
       {NoNewFonts},
       0,
       0,
       500},
      {"stop dispatched by a failure's message box",
       StopInFirstBox,
       {{"qbgone.ttf", "Quillbox Gone", -1}, {"qbrun7.ttf", "Quillbox Run Seven", 1}},
       {"Cannot copy the font file 'QBGONE.TTF'.", NoNewFonts},
       0,
       500,
       1000},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    seen = Seen();
    seen.act = row.act;
    seen.owner = owner;
    ReleaseFontList();
    AddCandidates(row.fonts, 1);
    size_t before = boxes.Shown().size();

    EXPECT_EQ(0, RunStatDialog(owner));

    std::vector<std::string> texts = BoxTexts();
    EXPECT_EQ(row.texts, std::vector<std::string>(texts.begin() + before, texts.end()));
    int installed = 0;
    for (const Candidate &font : row.fonts) installed += Installed(font) ? 1 : 0;
    EXPECT_EQ(row.installed, installed);
    EXPECT_TRUE(row.act != StopInFirstBox || seen.stopTakenInBox) << "not in the box's loop";
    ASSERT_FALSE(seen.boxes.empty());
    EXPECT_TRUE(seen.boxes.back().dialogVisible) << "the dialog ended under the running run";
    EXPECT_FALSE(seen.boxes.back().ownerEnabled) << "the owner was enabled under the run";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(seen.dialog));
    DWORD took = seen.boxes.back().tick - seen.runStart;
    EXPECT_GE(took, row.least);
    EXPECT_LT(took, row.most);
  }
}

// Centred over the owner's client area, truncating, and kept a scroll bar's breadth inside the
// edges of Wine's 1024 x 768 screen. The dialog measures 342 x 158 pixels.
TEST_F(ProgressDialog, CentredOverItsOwnerAndKeptOnTheScreen) {
  struct Row {
    const char *context;
    RECT owner;  // left, top, width, height
    POINT placed;
  } rows[] = {
      {"centred", {200, 150, 500, 400}, {279, 271}},
      {"owner smaller by an odd number: truncated", {300, 200, 337, 153}, {298, 198}},
      {"partly off the left edge", {-400, 200, 500, 400}, {17, 321}},
      {"partly off the right edge", {800, 200, 500, 400}, {665, 321}},
      {"partly off the top edge", {200, -300, 500, 400}, {279, 17}},
      {"off the bottom right corner", {900, 700, 500, 400}, {665, 593}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    HWND window = CreateOwner(row.owner.left, row.owner.top, row.owner.right, row.owner.bottom);
    HWND dialog = CreateDialogParamA(hInst, "FontStat", window, FontStatProc, 0);
    ASSERT_NE((HWND)NULL, dialog);
    RECT placed;
    GetWindowRect(dialog, &placed);
    EXPECT_EQ(row.placed.x, placed.left);
    EXPECT_EQ(row.placed.y, placed.top);
    EXPECT_EQ(342, placed.right - placed.left);
    EXPECT_EQ(158, placed.bottom - placed.top);
    DestroyWindow(dialog);
    DestroyWindow(window);
  }
}

RECT RectInDialog(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(NULL, dialog, (POINT *)&rect, 2);
  return rect;
}

// Each update shows its share of the full width measured at the start, keeping the bar's left
// edge, top and height; the bar waits hidden for the first update, which shows it even at 0.
TEST_F(ProgressDialog, BarShowsItsShareOfTheFullWidth) {
  HWND dialog = CreateDialogParamA(hInst, "FontStat", owner, FontStatProc, 0);
  ASSERT_NE((HWND)NULL, dialog);
  HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
  EXPECT_FALSE(GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
  const RECT full = RectInDialog(dialog, bar);
  ASSERT_EQ(301, full.right - full.left) << "172 dialog units of the system font";
  CaptureStatBar(dialog);
  struct Row {
    int percent, width;
  } rows[] = {{0, 0}, {1, 3}, {50, 151}, {100, 301}, {40, 120}};
  for (const Row &row : rows) {
    SCOPED_TRACE("percent " + std::to_string(row.percent));
    UpdateStatBar(dialog, row.percent);
    RECT now = RectInDialog(dialog, bar);
    EXPECT_EQ(row.width, now.right - now.left);
    EXPECT_EQ(full.left, now.left);
    EXPECT_EQ(full.top, now.top);
    EXPECT_EQ(full.bottom, now.bottom);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
  }
  DestroyWindow(dialog);
}

}  // namespace
