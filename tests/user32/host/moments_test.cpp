// The moments at which a host test acts as the user, where a fault would make other tests pass
// wrongly rather than fail: clicks that a person could not make, the message box hook and its
// queued answers, idle actions held back while a box is open, and the abort for a loop that would
// wait forever.
#include "user32/user32_fixture.h"
#include "winsim/user32_sim.h"

namespace {

using Moments = User32Test;

TEST_F(Moments, WaitingForeverIsATestBug) {
  EXPECT_DEATH(
      {
        MSG msg;
        GetMessageA(&msg, nullptr, 0, 0);
      },
      "GetMessageA would wait forever");
}

TEST_F(Moments, PersonCannotClickWhatIsHiddenOrDisabled) {
  HWND owner = CreateTestWindow("Owner");
  HWND dialog = CreateTestDialog("PROBEDLG", owner);
  EXPECT_FALSE(winsim::user32::Click(GetDlgItem(dialog, IDC_FIRST)));  // not shown yet
  ShowWindow(dialog, SW_SHOWNORMAL);
  EXPECT_TRUE(winsim::user32::Click(GetDlgItem(dialog, IDC_FIRST)));
  EXPECT_FALSE(winsim::user32::Click(GetDlgItem(dialog, IDC_DISABLED)));
  EXPECT_FALSE(winsim::user32::Click(GetDlgItem(dialog, IDC_HIDDEN)));
  EnableWindow(dialog, FALSE);  // as a modal dialog over it would
  EXPECT_FALSE(winsim::user32::Click(GetDlgItem(dialog, IDC_FIRST)));
  EXPECT_FALSE(winsim::user32::ClickListItem(GetDlgItem(dialog, IDC_LIST), 0));
  EXPECT_EQ(2u, winsim::user32::QueuedMessages());  // the one click that could happen
}

TEST_F(Moments, ClickOnAListItemScrollsItIntoViewFirst) {
  HWND dialog = CreateTestDialog("PROBEDLG", nullptr);
  ShowWindow(dialog, SW_SHOWNORMAL);
  HWND list = GetDlgItem(dialog, IDC_LIST);
  const char *names[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};
  for (const char *name : names) SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
  EXPECT_FALSE(winsim::user32::ClickListItem(list, 9));  // no such item
  EXPECT_TRUE(winsim::user32::ClickListItem(list, 8));
  Pump(dialog);
  EXPECT_EQ(1, SendMessageA(list, LB_GETSEL, 8, 0));
  EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(Moments, MessageBoxHookSeesTheOpenBoxAndItsAnswerComesFromTheQueue) {
  HWND owner = CreateTestWindow("Owner");
  ShowWindow(owner, SW_SHOWNORMAL);
  HWND seenBox = nullptr;
  bool ownerDisabled = false;
  winsim::user32::OnMessageBox([&](HWND box, const winsim::MessageBoxRecord &record) {
    seenBox = box;
    ownerDisabled = !IsWindowEnabled(owner);
    EXPECT_EQ(owner, record.owner);
    EXPECT_EQ(box, GetLastActivePopup(owner));
    EXPECT_TRUE(IsWindowVisible(box));
  });
  winsim::QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Stop?", "Probe", MB_OKCANCEL));
  EXPECT_TRUE(ownerDisabled);
  EXPECT_FALSE(IsWindow(seenBox));
  EXPECT_EQ(IDOK, MessageBoxA(owner, "Done.", "Probe", MB_OK));  // nothing queued: OK
}

TEST_F(Moments, IdleActionsWaitWhileAMessageBoxIsOpen) {
  HWND owner = CreateTestWindow("Owner");
  bool ran = false;
  winsim::user32::WhenIdle([&] { ran = true; });
  MessageBoxA(owner, "Wait", "Probe", MB_OK);
  EXPECT_FALSE(ran);
  EXPECT_EQ(1u, winsim::user32::PendingIdleActions());
}

TEST_F(Moments, ScreenAndFontAreTheTestsToChoose) {
  winsim::user32::SetScreenSize(800, 600);
  winsim::user32::SetScrollBarSize(16, 15);
  winsim::user32::SetDialogBaseUnits(8, 16);
  EXPECT_EQ(800, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(600, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(16, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(15, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(MAKELONG(8, 16), GetDialogBaseUnits());
  HWND dialog = CreateTestDialog("FONTSTAT", nullptr);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(192 * 8 / 4, client.right);
  EXPECT_EQ(76 * 16 / 8, client.bottom);
}

}  // namespace
