// The progress dialog from the real template under Wine, hosting real runs watched through
// thread hooks: its pace, a Cancel at the first pump or clicked twice, the dialog shown again, a
// stop dispatched inside a message box's own loop; and where it stands and how its bar is drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

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
    DWORD opened, closed;
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
      seen.boxes.push_back({GetTickCount(), 0, IsWindowVisible(seen.dialog) != FALSE,
                            IsWindowEnabled(seen.owner) != FALSE});
      seen.boxOpen = true;
      if (seen.act == StopInFirstBox && seen.boxes.size() == 1)
        PostMessageA(seen.dialog, WM_STOPINSTALL, 0, 0);
    }
    if (call->message == WM_DESTROY && !seen.boxes.empty()) {
      seen.boxOpen = false;
      seen.boxes.back().closed = GetTickCount();
    }
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// A hidden pop-up with a caption at the given screen rectangle.
HWND CreateOwner(int x, int y, int width, int height) {
  HINSTANCE instance = GetModuleHandleA(NULL);
  WNDCLASSA owner = {0, DefWindowProcA, 0, 0, instance, NULL, NULL, NULL, NULL, "QbProgressOwner"};
  RegisterClassA(&owner);  // registered already by an earlier test: fine
  return CreateWindowExA(0, "QbProgressOwner", "", WS_POPUP | WS_CAPTION, x, y, width, height, NULL,
                         NULL, instance, NULL);
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

// However the run ends, the dialog ends once, after the run has returned: the summary still
// shows over the dialog, with its owner disabled until the dialog is gone. A stop only marks the
// run stopped; the next pump then returns at once.
TEST_F(ProgressDialog, RunsPacedAndEndsOnceAfterTheRun) {
  // Each font is installed at most once in the test, so that WIN.INI does not already name it.
  const Candidate pool[] = {
      {"qbrun1.ttf", "Quillbox Run 1", 1}, {"qbrun2.ttf", "Quillbox Run 2", 2},
      {"qbrun3.ttf", "Quillbox Run 3", 3}, {"qbrun4.ttf", "Quillbox Run 4", 4},
      {"qbrun5.ttf", "Quillbox Run 5", 5}, {"qbrun6.ttf", "Quillbox Run 6", 0},
      {"qbgone.ttf", "Quillbox Gone", -1}, {"qbrun7.ttf", "Quillbox Run 7", 1}};
  const char *const noNewFonts = "No new fonts were installed.";
  struct Row {
    const char *context;
    Act act;
    int first, count;  // the fonts from the pool
    std::vector<std::string> texts;
    int installed;
    bool paced;  // else the summary comes at once after the run's start or the previous box
  } rows[] = {
      // clang-format off
      {"left alone: 500 ms before each font", LeftAlone, 0, 2, {"2 new TrueType fonts are now available."}, 2, true},
      {"shown again at the first pump: no second run", ShownAgain, 2, 1, {"1 new TrueType font is now available."}, 1, true},
      {"Cancel at the first pump", CancelOnce, 3, 1, {noNewFonts}, 0, false},
      {"Cancel clicked twice at the first pump", CancelTwice, 4, 2, {noNewFonts}, 0, false},
      {"stop dispatched by a failure's message box", StopInFirstBox, 6, 2, {"Cannot copy the font file 'QBGONE.TTF'.", noNewFonts}, 0, false},
      // clang-format on
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    seen = Seen();
    seen.act = row.act;
    seen.owner = owner;
    const std::vector<Candidate> fonts(pool + row.first, pool + row.first + row.count);
    ReleaseFontList();
    AddCandidates(fonts, 1);
    size_t before = boxes.Shown().size();

    EXPECT_EQ(0, RunStatDialog(owner));

    std::vector<std::string> texts = BoxTexts();
    EXPECT_EQ(row.texts, std::vector<std::string>(texts.begin() + before, texts.end()));
    int installed = 0;
    for (const Candidate &font : fonts) installed += Installed(font) ? 1 : 0;
    EXPECT_EQ(row.installed, installed);
    EXPECT_TRUE(row.act != StopInFirstBox || seen.stopTakenInBox) << "not in the box's loop";
    ASSERT_FALSE(seen.boxes.empty());
    EXPECT_TRUE(seen.boxes.back().dialogVisible) << "the dialog ended under the running run";
    EXPECT_FALSE(seen.boxes.back().ownerEnabled) << "the owner was enabled under the run";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(seen.dialog));
    size_t last = seen.boxes.size() - 1;
    DWORD took = seen.boxes[last].opened - (last > 0 ? seen.boxes[last - 1].closed : seen.runStart);
    EXPECT_TRUE(row.paced ? took >= 500u * row.count : took < 500u) << "summary after " << took;
  }
}

// Where the dialog goes on one axis: centred over its owner's client area, or a scroll bar's
// breadth inside the screen's near or far edge.
enum Placement { Centred, AtNearEdge, AtFarEdge };

bool Follows(Placement place, LONG first, LONG last, LONG ownerFirst, LONG ownerLast, int margin,
             int screen) {
  if (place == AtNearEdge) return first == margin;
  if (place == AtFarEdge) return last == screen - margin;
  return std::abs((first + last) - (ownerFirst + ownerLast)) <= 1;
}

TEST_F(ProgressDialog, CentredOverItsOwnerAndKeptOnTheScreen) {
  struct Row {
    const char *context;
    RECT owner;  // left, top, width, height of the owner window, which has a caption
    Placement x, y;
  } rows[] = {
      {"over the owner", {200, 150, 500, 400}, Centred, Centred},
      {"over an owner smaller than the dialog", {300, 200, 200, 100}, Centred, Centred},
      {"partly off the left edge", {-400, 200, 500, 400}, AtNearEdge, Centred},
      {"partly off the right edge", {800, 200, 500, 400}, AtFarEdge, Centred},
      {"partly off the top edge", {200, -300, 500, 400}, Centred, AtNearEdge},
      {"off the bottom right corner", {900, 700, 500, 400}, AtFarEdge, AtFarEdge},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    HWND window = CreateOwner(row.owner.left, row.owner.top, row.owner.right, row.owner.bottom);
    HWND dialog = CreateDialogParamA(hInst, "FontStat", window, FontStatProc, 0);
    ASSERT_NE((HWND)NULL, dialog);
    RECT placed, client;
    GetWindowRect(dialog, &placed);
    GetClientRect(window, &client);
    MapWindowPoints(window, NULL, (POINT *)&client, 2);
    EXPECT_TRUE(Follows(row.x, placed.left, placed.right, client.left, client.right,
                        GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXSCREEN)))
        << "left " << placed.left << ", right " << placed.right;
    EXPECT_TRUE(Follows(row.y, placed.top, placed.bottom, client.top, client.bottom,
                        GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSCREEN)))
        << "top " << placed.top << ", bottom " << placed.bottom;
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
  CaptureStatBar(dialog);
  // A share of the width the bar has now, rather than of its full width, fails from the second
  // row on: 50 after 0, and 40 after 50.
  for (int percent : {0, 50, 100, 50, 40}) {
    SCOPED_TRACE("percent " + std::to_string(percent));
    UpdateStatBar(dialog, percent);
    RECT now = RectInDialog(dialog, bar);
    EXPECT_NEAR((full.right - full.left) * percent / 100.0, now.right - now.left, 1.0);
    EXPECT_EQ(full.left, now.left);
    EXPECT_EQ(full.top, now.top);
    EXPECT_EQ(full.bottom, now.bottom);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
  }
  DestroyWindow(dialog);
}

}  // namespace
