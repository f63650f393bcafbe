// DialogBoxParamA's modal loop on both platforms: the owner disabled while the dialog runs and
// enabled again before the dialog is destroyed, the dialog shown when its queue first runs dry,
// the value given to EndDialog returned, a WM_QUIT passed on, -1 when there is no dialog.
#include "user32/user32_fixture.h"

namespace {

using ModalDialog = User32Test;

constexpr UINT WM_PROBE = WM_USER + 1;

TEST_F(ModalDialog, OwnerIsDisabledWhileItRunsAndEnabledBeforeItIsDestroyed) {
  HWND owner = CreateTestWindow("Owner");
  ShowWindow(owner, SW_SHOWNORMAL);
  MessageLog log({WM_ENABLE, WM_INITDIALOG, WM_SHOWWINDOW, WM_PROBE, WM_DESTROY});
  log.Name(owner, "owner");
  HWND dialog = nullptr;
  bool ownerEnabledInside = true, dialogVisibleInside = false, dialogWasLastActive = false;
  bool ownerEnabledAfterEnd = false, dialogAliveAfterEnd = false;
  onDialog = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
    switch (message) {
      case WM_INITDIALOG:
        log.Name(dialog = hwnd, "dialog");
        MessageLog::Record(hwnd, message, wParam, 0);  // named only now
        *result = TRUE;
        return true;
      case WM_SHOWWINDOW:
        if (wParam) PostMessageA(hwnd, WM_PROBE, 0, 0);
        return false;
      case WM_PROBE:
        ownerEnabledInside = IsWindowEnabled(owner);
        dialogVisibleInside = IsWindowVisible(hwnd);
        dialogWasLastActive = GetLastActivePopup(owner) == hwnd;
        EndDialog(hwnd, 42);
        ownerEnabledAfterEnd = IsWindowEnabled(owner);
        dialogAliveAfterEnd = IsWindow(hwnd);
        *result = TRUE;
        return true;
    }
    return false;
  };
  EXPECT_EQ(42, RunTestDialog("MODALDLG", owner));
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(dialogVisibleInside);
  EXPECT_TRUE(dialogWasLastActive);
  EXPECT_TRUE(ownerEnabledAfterEnd);
  EXPECT_TRUE(dialogAliveAfterEnd);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(owner, GetActiveWindow());
  EXPECT_MESSAGES(log, {{"owner", WM_ENABLE, sent | wparam, FALSE},
                        {"dialog", WM_INITDIALOG, sent},
                        {"dialog", WM_SHOWWINDOW, sent | wparam, TRUE},
                        {"dialog", WM_PROBE, posted},
                        {"owner", WM_ENABLE, sent | wparam, TRUE},
                        {"dialog", WM_DESTROY, sent}});
}

TEST_F(ModalDialog, FocusGoesToTheFirstTabStopWhenInitDialogSaysTrue) {
  HWND owner = CreateTestWindow("Owner");
  HWND focusInside = nullptr, cancel = nullptr;
  onDialog = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
    if (message == WM_INITDIALOG) {
      // wParam proposes the first tab stop.
      cancel = GetDlgItem(hwnd, IDCANCEL);
      EXPECT_EQ(cancel, (HWND)wParam);
      PostMessageA(hwnd, WM_PROBE, 0, 0);
      *result = TRUE;
      return true;
    }
    if (message != WM_PROBE) return false;
    focusInside = GetFocus();
    EndDialog(hwnd, 0);
    return true;
  };
  EXPECT_EQ(0, RunTestDialog("MODALDLG", owner));
  EXPECT_EQ(cancel, focusInside);
}

TEST_F(ModalDialog, EndDialogDuringInitDialogNeverShowsIt) {
  HWND owner = CreateTestWindow("Owner");
  MessageLog log({WM_SHOWWINDOW});
  onDialog = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_INITDIALOG) {
      log.Name(hwnd, "dialog");
      EndDialog(hwnd, 5);
    }
    return false;
  };
  EXPECT_EQ(5, RunTestDialog("MODALDLG", owner));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(0u, log.Count("dialog", WM_SHOWWINDOW));
}

TEST_F(ModalDialog, QuitSeenInTheLoopIsPostedAgain) {
  HWND owner = CreateTestWindow("Owner");
  onDialog = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_INITDIALOG) PostQuitMessage(9);
    return false;
  };
  RunTestDialog("MODALDLG", owner);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(WM_QUIT, msg.message);
  EXPECT_EQ(9u, msg.wParam);
}

TEST_F(ModalDialog, TemplateNamesIgnoreCaseAndAMissingOneGivesMinusOne) {
  HWND owner = CreateTestWindow("Owner");
  onDialog = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_INITDIALOG) EndDialog(hwnd, 3);
    return false;
  };
  EXPECT_EQ(3, RunTestDialog("modaldlg", owner));
  EXPECT_EQ(3, RunTestDialog("ModalDlg", owner));
  EXPECT_EQ(-1, RunTestDialog("NOSUCHDLG", owner));
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalDialog, ModelessDialogIsInitialisedHiddenUnlessItsTemplateIsVisible) {
  HWND owner = CreateTestWindow("Owner");
  bool visibleInInit = true;
  onDialog = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT *result) {
    if (message != WM_INITDIALOG) return false;
    EXPECT_EQ(77, lParam);
    visibleInInit = IsWindowVisible(hwnd);
    *result = TRUE;
    return true;
  };
  HWND hidden = CreateTestDialog("PROBEDLG", owner, 77);
  ASSERT_NE(nullptr, hidden);
  EXPECT_FALSE(visibleInInit);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_TRUE(IsWindowEnabled(owner));  // a modeless dialog leaves its owner alone
  EXPECT_EQ(GetDlgItem(hidden, IDC_FIRST), GetFocus());
  EXPECT_EQ(owner, GetParent(hidden));

  HWND shown = CreateTestDialog("VISIBLEDLG", owner, 77);
  ASSERT_NE(nullptr, shown);
  EXPECT_FALSE(visibleInInit);  // shown only after WM_INITDIALOG
  EXPECT_TRUE(IsWindowVisible(shown));
}

TEST_F(ModalDialog, DialogWithoutTabStopsFocusesItsFirstControl) {
  HWND dialog = CreateTestDialog("NOSTOPDLG", nullptr);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(GetDlgItem(dialog, IDC_LABEL), GetFocus());
}

}  // namespace
