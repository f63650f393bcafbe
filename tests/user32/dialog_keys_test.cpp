// The dialog keyboard interface and the dialog's controls on both platforms, where the selection
// dialog's tests do not already show it: the default push button moving with the focus,
// WM_NEXTDLGCTL, a click released outside its button, the auto check box by click and by Space,
// and the dialog item helpers. Tab, Enter, Escape and Space through the program's own dialog are
// checked on both platforms by the dial suite.
#include "user32/user32_fixture.h"

#include <utility>

namespace {

class DialogKeys : public User32Test {
 protected:
  DialogKeys() {
    onDialog = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *) {
      if (message == WM_COMMAND && LOWORD(wParam) != IDC_LIST)
        commands.emplace_back(wParam, (HWND)lParam);
      return false;
    };
    dialog = CreateTestDialog("PROBEDLG", nullptr);
    ShowWindow(dialog, SW_SHOWNORMAL);
  }

  HWND Item(int id) { return GetDlgItem(dialog, id); }
  void Press(UINT key) {
    PostKey(key);
    Pump(dialog);
  }

  HWND dialog = nullptr;
  std::vector<std::pair<WPARAM, HWND>> commands;  // WM_COMMAND's wParam and lParam
};

TEST_F(DialogKeys, EnterPressesTheDefaultButtonUnlessAPushButtonHasTheFocus) {
  SetFocus(Item(IDC_LIST));
  Press(VK_RETURN);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDOK, BN_CLICKED), commands[0].first);
  EXPECT_EQ(Item(IDOK), commands[0].second);

  // A push button that receives the focus through the dialog manager becomes the default.
  SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDC_FIRST), TRUE);
  EXPECT_EQ(Item(IDC_FIRST), GetFocus());
  EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(Item(IDC_FIRST), GWL_STYLE) & BS_TYPEMASK);
  EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(Item(IDOK), GWL_STYLE) & BS_TYPEMASK);
  Press(VK_RETURN);
  ASSERT_EQ(2u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDC_FIRST, BN_CLICKED), commands[1].first);

  // Back on a control that is not a push button, the dialog's default returns.
  SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDC_LIST), TRUE);
  EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(Item(IDOK), GWL_STYLE) & BS_TYPEMASK);
  Press(VK_RETURN);
  ASSERT_EQ(3u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDOK, BN_CLICKED), commands[2].first);
}

TEST_F(DialogKeys, NextDialogControlWithoutAWindowMovesOn) {
  SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
  EXPECT_EQ(Item(IDC_CHECK), GetFocus());
  SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDCANCEL), TRUE);
  EXPECT_EQ(Item(IDCANCEL), GetFocus());
  SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
  EXPECT_EQ(Item(IDC_FIRST), GetFocus());
}

TEST_F(DialogKeys, ClickedButtonsTellTheDialog) {
  PostClickAtCentre(Item(IDCANCEL));
  Pump(dialog);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDCANCEL, BN_CLICKED), commands[0].first);
  EXPECT_EQ(Item(IDCANCEL), commands[0].second);
  EXPECT_EQ(Item(IDCANCEL), GetFocus());

  // Released outside the button: no click.
  RECT client;
  GetClientRect(Item(IDC_FIRST), &client);
  PostMessageA(Item(IDC_FIRST), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(Item(IDC_FIRST), WM_LBUTTONUP, 0, MAKELPARAM(client.right + 5, 2));
  Pump(dialog);
  EXPECT_EQ(1u, commands.size());
}

TEST_F(DialogKeys, AutoCheckBoxTogglesByClickAndBySpace) {
  HWND check = Item(IDC_CHECK);
  EXPECT_EQ((UINT)BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_CHECK));
  PostClickAtCentre(check);
  Pump(dialog);
  EXPECT_EQ((UINT)BST_CHECKED, IsDlgButtonChecked(dialog, IDC_CHECK));
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDC_CHECK, BN_CLICKED), commands[0].first);
  EXPECT_EQ(check, GetFocus());
  Press(VK_SPACE);
  EXPECT_EQ((UINT)BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_CHECK));
  EXPECT_EQ(2u, commands.size());
  EXPECT_TRUE(CheckDlgButton(dialog, IDC_CHECK, BST_CHECKED));
  EXPECT_EQ((UINT)BST_CHECKED, IsDlgButtonChecked(dialog, IDC_CHECK));
  EXPECT_EQ(2u, commands.size());  // set by the program: no BN_CLICKED
}

TEST_F(DialogKeys, DialogItemHelpers) {
  EXPECT_TRUE(SetDlgItemTextA(dialog, IDC_LABEL, "3 fonts selected"));
  char text[40];
  EXPECT_EQ(16u, GetDlgItemTextA(dialog, IDC_LABEL, text, sizeof text));
  EXPECT_STREQ("3 fonts selected", text);
  EXPECT_EQ(0u, GetDlgItemTextA(dialog, 999, text, sizeof text));
  EXPECT_STREQ("", text);
  EXPECT_EQ(IDC_LIST, GetDlgCtrlID(Item(IDC_LIST)));
  EXPECT_EQ(nullptr, GetDlgItem(dialog, 999));
  EXPECT_EQ(0, SendDlgItemMessageA(dialog, 999, LB_GETCOUNT, 0, 0));
  SendDlgItemMessageA(dialog, IDC_LIST, LB_ADDSTRING, 0, (LPARAM) "One");
  EXPECT_EQ(1, SendDlgItemMessageA(dialog, IDC_LIST, LB_GETCOUNT, 0, 0));
  char caption[40];
  GetWindowTextA(Item(IDOK), caption, sizeof caption);
  EXPECT_STREQ("OK", caption);
}

TEST_F(DialogKeys, FocusComesBackWhenTheDialogIsShownAgain) {
  HWND owner = CreateTestWindow("Owner");
  ShowWindow(owner, SW_SHOWNORMAL);
  HWND owned = CreateTestDialog("PROBEDLG", owner);
  ShowWindow(owned, SW_SHOW);
  SetFocus(GetDlgItem(owned, IDC_LIST));
  ShowWindow(owned, SW_HIDE);
  EXPECT_EQ(owner, GetActiveWindow());
  EXPECT_EQ(owner, GetFocus());
  ShowWindow(owned, SW_SHOW);
  EXPECT_EQ(owned, GetActiveWindow());
  EXPECT_EQ(GetDlgItem(owned, IDC_LIST), GetFocus());

  // The same when the owner's minimise hides it and the restore shows it.
  SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(owned));
  SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(IsWindowVisible(owned));
  ShowWindow(owned, SW_SHOW);
  BringWindowToTop(owned);
  EXPECT_EQ(GetDlgItem(owned, IDC_LIST), GetFocus());
}

TEST_F(DialogKeys, CloseBecomesCancelInADialog) {
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  Pump(dialog);
  ASSERT_EQ(1u, commands.size());
  EXPECT_EQ(MAKEWPARAM(IDCANCEL, BN_CLICKED), commands[0].first);
  EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
