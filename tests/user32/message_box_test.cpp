// The message box's own modal loop on both platforms: while it is open its owner is disabled and
// it is the owner's last active pop-up, and it dispatches what is queued, so a message handled
// there never reaches the loop outside. Answered here by posting WM_COMMAND to the box, which
// works alike under Wine and in winsim.
#include "user32/user32_fixture.h"

#include <string>

namespace {

using MessageBoxLoop = User32Test;

constexpr UINT WM_STOPPING = WM_USER + 202;

TEST_F(MessageBoxLoop, DispatchesQueuedMessagesAndDisablesItsOwner) {
  HWND owner = CreateTestWindow("Owner");
  ShowWindow(owner, SW_SHOWNORMAL);
  MessageLog log({WM_STOPPING, WM_ENABLE});
  log.Name(owner, "owner");
  bool ownerEnabled = true;
  HWND box = nullptr;
  std::string boxText;
  onWindow = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (hwnd != owner || message != WM_STOPPING) return false;
    ownerEnabled = IsWindowEnabled(owner);
    box = GetLastActivePopup(owner);
    char text[80] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    boxText = text;
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    return true;
  };
  PostMessageA(owner, WM_STOPPING, 0, 0);
  EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Could not copy HARBOR.TTF.", "Probe",
                                  MB_OKCANCEL | MB_ICONWARNING));
  EXPECT_FALSE(ownerEnabled);
  EXPECT_NE(owner, box);
  EXPECT_EQ("Could not copy HARBOR.TTF.", boxText);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(owner, GetLastActivePopup(owner));
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_STOPPING, WM_STOPPING, PM_REMOVE));  // taken inside
  EXPECT_MESSAGES(log, {{"owner", WM_ENABLE, sent | wparam, FALSE},
                        {"owner", WM_STOPPING, posted},
                        {"owner", WM_ENABLE, sent | wparam, TRUE}});
}

}  // namespace
