// winsim's own records: the program's USER32 calls (and not the calls winsim makes for itself),
// every message each window received, sent or posted, and broadcasts kept rather than delivered.
#include "user32/user32_fixture.h"
#include "winsim/user32_sim.h"

#include <cstdio>

namespace {

using winsim::user32::Call;
using winsim::user32::CallsNamed;
using winsim::user32::Message;

using Recorder = User32Test;

std::vector<Message> Only(HWND hwnd, UINT message) {
  std::vector<Message> found;
  for (const Message &m : winsim::user32::MessagesFor(hwnd)) {
    if (m.message == message) found.push_back(m);
  }
  return found;
}

TEST_F(Recorder, KeepsTheProgramsCallsButNotThoseWinsimMakesItself) {
  HWND owner = CreateTestWindow("Owner");
  winsim::user32::ClearRecords();
  onDialog = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_SHOWWINDOW) EndDialog(hwnd, 4);
    return false;
  };
  EXPECT_EQ(4, RunTestDialog("MODALDLG", owner));
  ShowWindow(owner, SW_SHOWNORMAL);

  // The dialog manager disabled the owner and showed the dialog: not the program's doing.
  EXPECT_TRUE(CallsNamed("EnableWindow").empty());
  std::vector<Call> shows = CallsNamed("ShowWindow");
  ASSERT_EQ(1u, shows.size());
  EXPECT_EQ(owner, shows[0].hwnd);
  EXPECT_EQ(std::vector<intptr_t>{SW_SHOWNORMAL}, shows[0].args);
  std::vector<Call> boxes = CallsNamed("DialogBoxParamA");
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("MODALDLG", boxes[0].text);
  EXPECT_EQ(1u, CallsNamed("EndDialog").size());  // called by the test's dialog procedure
  char described[64];
  std::snprintf(described, sizeof described, "ShowWindow(%p, 1)", (void *)owner);
  EXPECT_EQ(described, winsim::user32::Describe(shows[0]));
}

TEST_F(Recorder, TellsPostedMessagesFromSentOnes) {
  HWND window = CreateTestWindow("Window");
  winsim::user32::ClearRecords();
  PostMessageA(window, WM_USER + 5, 1, 2);
  SendMessageA(window, WM_USER + 6, 3, 4);
  Pump();
  std::vector<Message> posted = Only(window, WM_USER + 5);
  std::vector<Message> sent = Only(window, WM_USER + 6);
  ASSERT_EQ(1u, posted.size());
  ASSERT_EQ(1u, sent.size());
  EXPECT_TRUE(posted[0].posted);
  EXPECT_EQ(1u, posted[0].wParam);
  EXPECT_EQ(2, posted[0].lParam);
  EXPECT_FALSE(sent[0].posted);
  EXPECT_EQ("WM_USER+6 sent", winsim::user32::Describe(sent[0]).substr(0, 14));
}

TEST_F(Recorder, RecordsWhatControlsReceive) {
  HWND dialog = CreateTestDialog("PROBEDLG", nullptr);
  HWND list = GetDlgItem(dialog, IDC_LIST);
  winsim::user32::ClearRecords();
  SendDlgItemMessageA(dialog, IDC_LIST, LB_ADDSTRING, 0, (LPARAM) "Harbor");
  std::vector<Message> added = Only(list, LB_ADDSTRING);
  ASSERT_EQ(1u, added.size());
  EXPECT_FALSE(added[0].posted);
  std::vector<Call> calls = CallsNamed("SendDlgItemMessageA");
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ(dialog, calls[0].hwnd);
  EXPECT_EQ(IDC_LIST, calls[0].args[0]);
  EXPECT_EQ(LB_ADDSTRING, calls[0].args[1]);
}

TEST_F(Recorder, BroadcastsAreKeptNotDelivered) {
  HWND window = CreateTestWindow("Window");
  winsim::user32::ClearRecords();
  EXPECT_TRUE(PostMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0));
  EXPECT_TRUE(PostMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, (LPARAM) "Fonts"));
  EXPECT_EQ(0u, winsim::user32::QueuedMessages());
  Pump();
  EXPECT_TRUE(Only(window, WM_FONTCHANGE).empty());
  const std::vector<winsim::BroadcastRecord> &broadcasts = winsim::Broadcasts();
  ASSERT_EQ(2u, broadcasts.size());
  EXPECT_EQ((UINT)WM_FONTCHANGE, broadcasts[0].message);
  EXPECT_EQ((UINT)WM_WININICHANGE, broadcasts[1].message);
  EXPECT_EQ("Fonts", broadcasts[1].text);
  EXPECT_EQ(2u, CallsNamed("PostMessageA").size());
}

TEST_F(Recorder, ComparesSequencesAndShowsBothWhenTheyDiffer) {
  using winsim::user32::CompareMessages;
  using winsim::user32::Expected;
  using winsim::user32::Optional;
  using winsim::user32::Posted;
  using winsim::user32::Sent;
  using winsim::user32::WParam;
  HWND owner = CreateTestWindow("Owner");
  ShowWindow(owner, SW_SHOWNORMAL);
  winsim::user32::ClearRecords();
  onDialog = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_SHOWWINDOW) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (message == WM_COMMAND) EndDialog(hwnd, 1);
    return message == WM_COMMAND;
  };
  RunTestDialog("MODALDLG", owner);
  HWND dialog = nullptr;
  for (const Message &m : winsim::user32::Messages()) {
    if (m.message == WM_INITDIALOG) dialog = m.hwnd;
  }
  const std::vector<UINT> watched = {WM_ENABLE, WM_CLOSE, WM_COMMAND, WM_DESTROY};
  std::vector<Expected> expected = {
      {owner, WM_ENABLE, Sent | WParam, FALSE},
      {dialog, WM_CLOSE, Posted},
      {dialog, WM_COMMAND, Posted | WParam, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
      {owner, WM_SIZE, Sent | Optional},
      {owner, WM_ENABLE, Sent | WParam, TRUE},
      {dialog, WM_DESTROY, Sent}};
  EXPECT_EQ("", CompareMessages({owner, dialog}, watched, expected));

  expected[1].flags = Sent;  // wrong: the dialog's WM_CLOSE was posted
  std::string report = CompareMessages({owner, dialog}, watched, expected);
  EXPECT_NE(std::string::npos, report.find("expected WM_CLOSE sent")) << report;
  EXPECT_NE(std::string::npos, report.find("received:\n")) << report;
  EXPECT_NE(std::string::npos, report.find("WM_DESTROY sent")) << report;
}

TEST_F(Recorder, BeepsAreRecorded) {
  winsim::user32::ClearRecords();
  EXPECT_TRUE(MessageBeep(0));
  EXPECT_TRUE(MessageBeep(MB_ICONWARNING));
  std::vector<Call> beeps = CallsNamed("MessageBeep");
  ASSERT_EQ(2u, beeps.size());
  EXPECT_EQ(std::vector<intptr_t>{0}, beeps[0].args);
  EXPECT_EQ(std::vector<intptr_t>{MB_ICONWARNING}, beeps[1].args);
}

TEST_F(Recorder, PostingToAWindowThatIsGoneFails) {
  HWND window = CreateTestWindow("Window");
  PostMessageA(window, WM_USER, 0, 0);
  DestroyWindow(window);
  EXPECT_EQ(0u, winsim::user32::QueuedMessages());  // its queued messages went with it
  EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
  EXPECT_EQ(0, SendMessageA(window, WM_USER, 0, 0));
}

}  // namespace
