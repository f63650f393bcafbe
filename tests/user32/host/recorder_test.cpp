// winsim's own records where no product test would notice a fault: broadcasts kept rather than
// delivered, a sequence comparison that reports a mismatch with both sequences, and posts to a
// window that is gone. The records the product tests compare exactly (calls, sent and posted
// messages, beeps) are checked by those comparisons themselves.
#include "user32/user32_fixture.h"
#include "winsim/user32_sim.h"

namespace {

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

TEST_F(Recorder, PostingToAWindowThatIsGoneFails) {
  HWND window = CreateTestWindow("Window");
  PostMessageA(window, WM_USER, 0, 0);
  DestroyWindow(window);
  EXPECT_EQ(0u, winsim::user32::QueuedMessages());  // its queued messages went with it
  EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
  EXPECT_EQ(0, SendMessageA(window, WM_USER, 0, 0));
}

}  // namespace
