// The progress dialog from the real template, placed over owners around the screen and hosting
// real runs on the shim's virtual clock: each pump lasts five idle polls of 100 ms, so an action
// due 100 ms into the nth 500 ms happens inside the nth pump.
#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "common/sandbox.h"
#include "common/shim.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "install/run_options.h"

namespace {

HWND CreateOwner(int x, int y, int width, int height) {
  WNDCLASSA owner = {0, DefWindowProcA, 0, 0, GetModuleHandleA(NULL), 0, 0, 0, 0, "QbOwner"};
  RegisterClassA(&owner);  // or registered by an earlier test already
  return CreateWindowExA(0, "QbOwner", "", WS_POPUP | WS_CAPTION, x, y, width, height, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

// The progress dialog's bar (the test's only dialog): its width, negative while it is hidden.
int Bar() {
  RECT rect;
  HWND bar = GetDlgItem(FindWindowA("#32770", NULL), IDC_PROGRESS);
  GetWindowRect(bar, &rect);
  return IsWindowVisible(bar) ? rect.right - rect.left : rect.left - rect.right;
}

// An owner partly off the screen: the dialog keeps a scroll bar's breadth from the edges.
TEST(ProgressDialog, KeptOnTheScreen) {
  int x = GetSystemMetrics(SM_CXVSCROLL), y = GetSystemMetrics(SM_CYHSCROLL);
  for (POINT corner : {POINT{-400, -300}, POINT{900, 700}}) {
    HWND owner = CreateOwner(corner.x, corner.y, 500, 400);
    HWND placed = CreateDialogParamA(GetModuleHandleA(NULL), "FontStat", owner, FontStatProc, 0);
    RECT at;
    GetWindowRect(placed, &at);
    bool nearEdges = at.left == x && at.top == y;
    bool farEdges = at.right == GetSystemMetrics(SM_CXSCREEN) - x &&
                    at.bottom == GetSystemMetrics(SM_CYSCREEN) - y;
    EXPECT_TRUE(corner.x < 0 ? nearEdges : farEdges) << at.left << ", " << at.top;
    DestroyWindow(placed), DestroyWindow(owner);
  }
}

// The dialog is centred over its owner's client area. However the run ends, the dialog ends
// after it: the summary still shows over the dialog, with the owner disabled. A Cancel in a pump
// stops the run before its next font; so does a stop that a message box's own loop dispatches, at
// the next pump. The bar waits hidden at its full width for the first font, grows with each, and is
// full at the end.
TEST(ProgressDialog, BarGrowsAndTheDialogEndsAfterTheRun) {
  struct Row {
    DWORD cancelAt;  // 1100: in the first pump, 1600: in the second; 0: none
    bool stopInBox;  // the first font's file is gone, and a stop comes inside its failure's box
    std::string installed;
  } rows[] = {{0, false, "111"}, {1100, false, "000"}, {1600, false, "100"}, {0, true, "000"}};
  auto stat = [] { return FindWindowA("#32770", NULL); };  // the test's only dialog
  for (const Row &row : rows) {
    Sandbox box;
    shim::Reset();
    for (int i = 0; i < 3; i++) {
      std::string file = "QBSTAT" + std::to_string(i) + ".TTF", bytes = Sandbox::Font(i);
      if (i > 0 || !row.stopInBox) box.Write(box.program + file, bytes);
      AppendFontItem(file.c_str(), ("Qb Stat " + std::to_string(i)).c_str(), (int)bytes.size());
      static_cast<FontItem *>(GlobalLock(FontList))[i].selected = 1;
      GlobalUnlock(FontList);
    }
    HWND owner = CreateOwner(200, 150, 500, 400);
    std::vector<int> widths;  // the bar in each pump, then at each box
    bool overDialog = false;  // at the last box
    shim::StartClock(1000, 100);
    for (DWORD pump : {1100, 1600, 2100})
      shim::state.due.emplace(pump, [&] { widths.push_back(Bar()); });
    shim::state.due.emplace(1100, [&] {
      RECT at, client;
      GetWindowRect(stat(), &at);
      GetClientRect(owner, &client);
      MapWindowPoints(owner, NULL, (POINT *)&client, 2);
      EXPECT_NEAR(client.left + client.right, at.left + at.right, 1);
      EXPECT_NEAR(client.top + client.bottom, at.top + at.bottom, 1);
    });
    if (row.cancelAt)
      shim::state.due.emplace(row.cancelAt, [&] { PostMessageA(stat(), WM_COMMAND, IDCANCEL, 0); });
    shim::state.due.emplace(
        1200, [&] { ShowWindow(stat(), SW_HIDE), ShowWindow(stat(), SW_SHOW); });  // no rerun
    shim::state.onBox = [&] {
      if (row.stopInBox && shim::state.boxes.size() == 1) {
        PostMessageA(stat(), WM_STOPINSTALL, 0, 0);
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      }
      overDialog = IsWindowVisible(stat()) && !IsWindowEnabled(owner);
      widths.push_back(Bar());
    };
    runOptions = {GetModuleHandleA(NULL), owner, 0};
    EXPECT_EQ(0, RunStatDialog());
    for (int i = 0; i < 3; i++)
      EXPECT_EQ(row.installed[i] == '1', !box.Key("Qb Stat " + std::to_string(i)).empty()) << i;
    EXPECT_EQ(row.stopInBox ? 2u : 1u, shim::state.boxes.size());
    EXPECT_TRUE(overDialog) << "the dialog ended under the running run";
    EXPECT_TRUE(!stat() && IsWindowEnabled(owner));
    if (row.installed == "111") {
      ASSERT_EQ(4u, widths.size());
      EXPECT_TRUE(widths[0] < 0 && 0 < widths[1] && widths[1] < widths[2] &&
                  widths[2] < -widths[0]);
      EXPECT_EQ(-widths[0], widths[3]);
    }
    shim::state.onBox = nullptr;
    ReleaseFontList();
    DestroyWindow(owner);
  }
}

}  // namespace
