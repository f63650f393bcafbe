// The owner window's states over a whole run: selecting, minimised without a dialog, installing,
// and ending, with the close request accepted or refused in each, and the exit code and the freed
// table at the end. Minimise from the dialog is driven by real input in the end-to-end scenarios.
#include "shell/host/shell_fixture.h"

#include "resource.h"
#include "shell/globals.h"
#include "winsim/sim.h"

namespace {

namespace user32 = winsim::user32;

const std::vector<std::string> CloseCalls = {"GetLastActivePopup", "MessageBeep", "DestroyWindow",
                                             "PostQuitMessage", "DefWindowProcA"};

// The order in which windows received WM_DESTROY.
std::vector<HWND> Destroyed() {
  std::vector<HWND> order;
  for (const user32::Message &message : user32::Messages()) {
    if (message.message == WM_DESTROY) order.push_back(message.hwnd);
  }
  return order;
}

bool Contains(const std::vector<HWND> &windows, HWND window) {
  for (HWND each : windows) {
    if (each == window) return true;
  }
  return false;
}

// Close accepted while the dialog is in front: the dialog is destroyed first, then the owner
// window, whose WM_DESTROY posts the quit message with 0.
TEST_F(ShellTest, CloseWithDialog) {
  WriteListAndFonts();
  size_t mark = 0;
  Idle([&] {
    FindWindows();
    mark = Mark();
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());
  EXPECT_EQ((std::vector<std::string>{
                Call("GetLastActivePopup", "owner"),
                Call("DestroyWindow", "dialog"),
                Call("DestroyWindow", "owner"),
                Call("PostQuitMessage", "null", {0}),
                Call("DefWindowProcA", "owner", {WM_DESTROY, 0, 0}),
            }),
            CallsSince(mark, CloseCalls, {WM_CLOSE, WM_DESTROY}));
  std::vector<HWND> destroyed = Destroyed();
  ASSERT_TRUE(Contains(destroyed, dialog) && Contains(destroyed, owner));
  EXPECT_EQ(dialog, destroyed.front()) << "the dialog first";
  EXPECT_EQ(owner, destroyed.back()) << "the owner window last";
  EXPECT_EQ(0, user32::LiveWindows());
  EXPECT_EQ(0, winsim::LiveBlocks());
  EXPECT_EQ(0, winsim::InvalidHandleUses());
}

// Started minimised, closed before the dialog exists: the default handling destroys the window.
TEST_F(ShellTest, CloseBeforeDialog) {
  WriteListAndFonts();
  size_t mark = 0;
  Idle([&] {
    FindWindows();
    EXPECT_EQ(nullptr, hFontDial);
    mark = Mark();
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run("", SW_SHOWMINNOACTIVE));
  EXPECT_EQ((std::vector<std::string>{
                Call("GetLastActivePopup", "owner"),
                Call("DefWindowProcA", "owner", {WM_CLOSE, 0, 0}),
                Call("PostQuitMessage", "null", {0}),
                Call("DefWindowProcA", "owner", {WM_DESTROY, 0, 0}),
            }),
            CallsSince(mark, CloseCalls, {WM_CLOSE, WM_DESTROY}));
  EXPECT_EQ(0, CountCalls(0, "CreateDialogParamA"));
  EXPECT_EQ(0, user32::LiveWindows());
  EXPECT_EQ(0, winsim::LiveBlocks());
}

// Close refused while another pop-up of the owner window is its last active one: one beep per
// request, nothing destroyed, nothing passed on. Once that pop-up is gone, close works.
TEST_F(ShellTest, CloseRefusedWhileAnotherPopupIsInFront) {
  WriteListAndFonts();
  size_t mark = 0;
  HWND other = nullptr;
  Idle([&] {
    FindWindows();
    // A pop-up of the owner window's tree in front: here a box owned by the dialog.
    other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP, 0, 0, 50, 20, dialog, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ShowWindow(other, SW_SHOWNORMAL);
    ASSERT_EQ(other, GetLastActivePopup(owner));
    mark = Mark();
    PostMessageA(owner, WM_CLOSE, 0, 0);
    SendMessageA(owner, WM_SYSCOMMAND, SC_CLOSE, 0);  // from the owner's system menu
  });
  Idle([&] {
    EXPECT_EQ((std::vector<std::string>{
                  Call("DefWindowProcA", "owner", {WM_SYSCOMMAND, SC_CLOSE, 0}),
                  Call("GetLastActivePopup", "owner"),
                  Call("MessageBeep", "null", {0}),
                  Call("GetLastActivePopup", "owner"),
                  Call("MessageBeep", "null", {0}),
              }),
              CallsSince(mark, CloseCalls, {WM_CLOSE, WM_SYSCOMMAND, WM_DESTROY}));
    EXPECT_TRUE(IsWindow(owner) && IsWindow(dialog));
    DestroyWindow(other);
    mark = Mark();
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());
  EXPECT_EQ(0, CountCalls(mark, "MessageBeep"));
  EXPECT_EQ(0, user32::LiveWindows());
}

// Started minimised: no dialog until the first restore, which posts the request and so creates
// it; later minimise and restore cycles hide and show that same dialog.
TEST_F(ShellTest, StartedMinimisedThenRestored) {
  WriteListAndFonts();
  size_t mark = 0;
  Idle([&] {
    FindWindows();
    EXPECT_TRUE(IsIconic(owner));
    EXPECT_EQ(nullptr, hFontDial);
    EXPECT_EQ(0, CountCalls(0, "CreateDialogParamA"));
    mark = Mark();
    PostMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  });
  Idle([&] {
    FindWindows();
    EXPECT_EQ(
        (std::vector<std::string>{
            Call("ShowWindow", "owner", {SW_SHOWNORMAL}),
            Call("PostMessageA", "owner", {WM_OPENFONTDIAL, 0, 0}),
            Call("CreateDialogParamA", "owner", {(intptr_t)sandbox->Instance(), 0}, "FontDial"),
            Call("ShowWindow", "dialog", {SW_SHOW}),
            Call("UpdateWindow", "dialog"),
        }),
        CallsSince(mark, {"ShowWindow", "UpdateWindow", "PostMessageA", "CreateDialogParamA"}));
    EXPECT_FALSE(IsIconic(owner));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), [&] {
      RECT rect;
      GetWindowRect(owner, &rect);
      return rect.top;
    }()) << "back below the screen";
    PostMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  });
  Idle([&] { PostMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0); });
  Idle([&] {
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(dialog, hFontDial);
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run("", SW_SHOWMINIMIZED));
  EXPECT_EQ(1, CountCalls(0, "CreateDialogParamA")) << "one dialog per run";
}

// Installing: while the progress dialog or one of the run's message boxes is in front, close is
// refused with a beep; minimise and restore still work; at the end of the run the dialog asks
// its owner to close, and the program ends with 0 and frees the table.
TEST_F(ShellTest, InstallingRefusesClose) {
  WriteListAndFonts();
  size_t mark = 0;
  int beepsDuringRun = 0;
  bool refusedInBox = false;
  Idle([&] {
    FindWindows();
    user32::ClickListItem(GetDlgItem(dialog, IDC_FONTLIST), 0);
  });
  Idle([&] { user32::Click(GetDlgItem(dialog, IDOK)); });
  Idle([&] {
    // Inside the run: the progress dialog is the owner window's last active pop-up.
    HWND progress = GetLastActivePopup(owner);
    EXPECT_NE(owner, progress);
    EXPECT_NE(dialog, progress);
    mark = Mark();
    PostMessageA(owner, WM_CLOSE, 0, 0);
    PostMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  });
  Idle([&] {
    beepsDuringRun = CountCalls(mark, "MessageBeep");
    EXPECT_TRUE(IsWindow(owner) && IsWindow(dialog));
    EXPECT_TRUE(IsIconic(owner));
    EXPECT_FALSE(IsWindowVisible(dialog));
    PostMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  });
  Idle([&] {
    EXPECT_FALSE(IsIconic(owner));
    EXPECT_TRUE(IsWindowVisible(dialog));
  });
  // The run's summary box: close asked for while it is open is refused as well.
  user32::OnMessageBox([&](HWND, const winsim::MessageBoxRecord &) {
    size_t before = Mark();
    SendMessageA(owner, WM_CLOSE, 0, 0);
    refusedInBox = CountCalls(before, "MessageBeep") == 1 && IsWindow(owner);
  });
  EXPECT_EQ(0, Run());
  EXPECT_EQ(1, beepsDuringRun);
  EXPECT_TRUE(refusedInBox);
  EXPECT_FALSE(winsim::MessageBoxes().empty()) << "the run's summary";
  EXPECT_EQ(0, user32::LiveWindows());
  EXPECT_EQ(0, winsim::LiveBlocks());
}

}  // namespace
