// The progress dialog from the real template, placed over owners around the screen and hosting
// real runs on the shim's virtual clock: each pump lasts five idle polls of 100 ms, so an action
// due 100 ms into the nth 500 ms happens inside the nth pump.
#include <gtest/gtest.h>

#include <cstdlib>

#include "catalog/font_table.h"
#include "common/sandbox.h"
#include "common/shim.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

HWND dialog;

INT_PTR CALLBACK NotingStatProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) dialog = window;
  return FontStatProc(window, message, wParam, lParam);
}

HWND CreateOwner(int x, int y, int width, int height) {
  WNDCLASSA owner = {0, DefWindowProcA, 0, 0, GetModuleHandleA(NULL), 0, 0, 0, 0, "QbOwner"};
  RegisterClassA(&owner);  // or registered by an earlier test already
  return CreateWindowExA(0, "QbOwner", "", WS_POPUP | WS_CAPTION, x, y, width, height, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

// The bar's width, negative while it is hidden.
int Bar() {
  RECT bar;
  GetWindowRect(GetDlgItem(dialog, IDC_PROGRESS), &bar);
  return IsWindowVisible(GetDlgItem(dialog, IDC_PROGRESS)) ? bar.right - bar.left
                                                           : bar.left - bar.right;
}

// Where the dialog goes on one axis: centred over the owner's client area, or a scroll bar's
// breadth inside the screen's near or far edge.
enum Place { Centred, Near, Far };

bool Placed(Place place, LONG first, LONG last, LONG ownerFirst, LONG ownerLast, int margin,
            int screen) {
  if (place == Near) return first == margin;
  if (place == Far) return last == screen - margin;
  return std::abs(first + last - ownerFirst - ownerLast) <= 1;
}

TEST(ProgressDialog, CentredOverItsOwnerAndKeptOnTheScreen) {
  hInst = GetModuleHandleA(NULL);
  struct Row {
    RECT owner;  // left, top, width, height
    Place x, y;
  } rows[] = {{{200, 150, 500, 400}, Centred, Centred}, {{300, 200, 100, 60}, Centred, Centred},
              {{-400, 200, 500, 400}, Near, Centred},   {{800, 200, 500, 400}, Far, Centred},
              {{200, -300, 500, 400}, Centred, Near},   {{900, 700, 500, 400}, Far, Far}};
  for (const Row &row : rows) {
    HWND owner = CreateOwner(row.owner.left, row.owner.top, row.owner.right, row.owner.bottom);
    HWND placed = CreateDialogParamA(hInst, "FontStat", owner, FontStatProc, 0);
    RECT at, client;
    GetWindowRect(placed, &at);
    GetClientRect(owner, &client);
    MapWindowPoints(owner, NULL, (POINT *)&client, 2);
    EXPECT_TRUE(Placed(row.x, at.left, at.right, client.left, client.right,
                       GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXSCREEN)))
        << "owner at x " << row.owner.left << ": left " << at.left << ", right " << at.right;
    EXPECT_TRUE(Placed(row.y, at.top, at.bottom, client.top, client.bottom,
                       GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSCREEN)))
        << "owner at y " << row.owner.top << ": top " << at.top << ", bottom " << at.bottom;
    DestroyWindow(placed);
    DestroyWindow(owner);
  }
}

// However the run ends, the dialog ends after it: the summary still shows over the dialog, with
// the owner disabled. A Cancel in a pump stops the run before its next font; one that a message
// box's loop dispatches stops it at the next pump.
TEST(ProgressDialog, BarGrowsAndTheDialogEndsAfterTheRun) {
  enum Act { LeftAlone, CancelInFirstPump, CancelInSecondPump, StopInFailureBox };
  struct Row {
    Act act;
    bool firstMissing;  // the first font's file is gone: its failure shows a box
    std::vector<bool> installed;
  } rows[] = {{LeftAlone, false, {true, true, true}},
              {CancelInFirstPump, false, {false, false, false}},
              {CancelInSecondPump, false, {true, false, false}},
              {StopInFailureBox, true, {false, false, false}}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.act);
    Sandbox box;
    shim::Reset();
    hInst = GetModuleHandleA(NULL);
    for (int i = 0; i < 3; i++) {
      std::string file = "QBSTAT" + std::to_string(i) + ".TTF", bytes = Sandbox::Font(i);
      if (i > 0 || !row.firstMissing) box.Write(box.program + file, bytes);
      AppendFontItem(file.c_str(), ("Qb Stat " + std::to_string(i)).c_str(), (int)bytes.size());
    }
    FontItem *items = (FontItem *)GlobalLock(FontList);
    for (int i = 0; i < 3; i++) items[i].selected = 1;
    GlobalUnlock(FontList);

    HWND owner = CreateOwner(200, 150, 500, 400);
    std::vector<int> widths;  // the bar in each pump, then at the summary
    bool summaryOverDialog = false;
    shim::StartClock(1000, 100);
    for (int pump = 0; pump < 3; pump++)
      shim::At(1100 + 500 * pump, [&] { widths.push_back(Bar()); });
    if (row.act == CancelInFirstPump || row.act == CancelInSecondPump)
      shim::At(row.act == CancelInFirstPump ? 1100 : 1600,
               [] { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    shim::OnBox([&] {
      if (row.act == StopInFailureBox && shim::Boxes().size() == 1) {
        PostMessageA(dialog, WM_STOPINSTALL, 0, 0);
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      }
      summaryOverDialog = IsWindowVisible(dialog) && !IsWindowEnabled(owner);
      widths.push_back(Bar());
    });

    EXPECT_EQ(0, DialogBoxParamA(hInst, "FontStat", owner, NotingStatProc, 0));
    EXPECT_TRUE(summaryOverDialog) << "the dialog ended under the running run";
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    for (int i = 0; i < 3; i++)
      EXPECT_EQ(row.installed[i], !box.Key("Qb Stat " + std::to_string(i)).empty()) << i;
    if (row.act == LeftAlone) {
      // The first pump finds the bar hidden at its full width, the summary shown at that width.
      ASSERT_EQ(4u, widths.size());
      EXPECT_LT(widths[0], 0);
      EXPECT_TRUE(0 < widths[1] && widths[1] < widths[2] && widths[2] < -widths[0]);
      EXPECT_EQ(-widths[0], widths[3]);
    }
    shim::OnBox(nullptr);
    ReleaseFontList();
    DestroyWindow(owner);
  }
}

}  // namespace
