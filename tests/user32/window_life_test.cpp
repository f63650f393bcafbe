// A window's life on both platforms: creation with WM_CREATE before CreateWindowExA returns,
// showing, the close -> destroy -> quit chain, owned windows destroyed first, and the default
// handling of minimise, restore and close.
#include "user32/user32_fixture.h"

namespace {

using WindowLife = User32Test;

TEST_F(WindowLife, CreateSendsCreateBeforeItReturns) {
  MessageLog log({WM_NCCREATE, WM_CREATE, WM_SHOWWINDOW, WM_DESTROY, WM_NCDESTROY});
  HWND seenInCreate = nullptr;
  char textInCreate[32] = "";
  onWindow = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *) {
    if (message == WM_NCCREATE) {
      log.Name(hwnd, "window");
      MessageLog::Record(hwnd, message, wParam, lParam);  // named only now
    }
    if (message == WM_CREATE) {
      seenInCreate = hwnd;
      GetWindowTextA(hwnd, textInCreate, sizeof textInCreate);
      EXPECT_STREQ("Created", ((const CREATESTRUCTA *)lParam)->lpszName);
    }
    return false;
  };
  HWND window = CreateTestWindow("Created");
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(window, seenInCreate);
  EXPECT_STREQ("Created", textInCreate);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_MESSAGES(log, {{"window", WM_NCCREATE, sent}, {"window", WM_CREATE, sent}});
}

TEST_F(WindowLife, CreateFailsWhenCreateAnswersMinusOne) {
  MessageLog log({WM_CREATE, WM_DESTROY, WM_NCDESTROY});
  HWND named = nullptr;
  onWindow = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *result) {
    if (message == WM_NCCREATE && !named) log.Name(named = hwnd, "window");
    if (message != WM_CREATE) return false;
    *result = -1;
    return true;
  };
  EXPECT_EQ(nullptr, CreateTestWindow("Refused"));
  EXPECT_FALSE(IsWindow(named));
  // Freed at once: no WM_DESTROY for a window that never came to be.
  EXPECT_MESSAGES(log, {{"window", WM_CREATE, sent}, {"window", WM_NCDESTROY, sent}});
}

TEST_F(WindowLife, PopUpOfDefaultSizeHasNoArea) {
  HWND window = CreateTestWindow("Empty", nullptr, PopupStyle, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT);
  ASSERT_NE(nullptr, window);
  RECT rect, client;
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  EXPECT_EQ(0, rect.left);
  EXPECT_EQ(0, rect.top);
  EXPECT_EQ(0, rect.right - rect.left);
  EXPECT_EQ(0, rect.bottom - rect.top);
  EXPECT_EQ(0, client.right);
  EXPECT_EQ(0, client.bottom);
}

TEST_F(WindowLife, ShowingActivatesAndGivesTheFocus) {
  HWND window = CreateTestWindow("Shown");
  MessageLog log({WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS});
  log.Name(window, "window");
  EXPECT_FALSE(ShowWindow(window, SW_SHOWNORMAL));  // it was hidden
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(window, GetActiveWindow());
  EXPECT_EQ(window, GetFocus());
  EXPECT_MESSAGES(log, {{"window", WM_SHOWWINDOW, sent | wparam, TRUE},
                        {"window", WM_ACTIVATE, sent | wparam, WA_ACTIVE},
                        {"window", WM_SETFOCUS, sent}});
  log.Flush();
  EXPECT_TRUE(ShowWindow(window, SW_SHOW));  // already visible: nothing happens
  EXPECT_MESSAGES(log, {});
}

TEST_F(WindowLife, CloseDestroysAndDestroyPostsTheQuit) {
  HWND window = CreateTestWindow("Closing");
  ShowWindow(window, SW_SHOWNORMAL);
  MessageLog log({WM_CLOSE, WM_DESTROY, WM_NCDESTROY, WM_QUIT});
  log.Name(window, "window");
  onWindow = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT *) {
    if (message == WM_DESTROY) PostQuitMessage(7);
    return false;
  };
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG msg;
  int dispatched = 0;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    DispatchMessageA(&msg);
    dispatched++;
  }
  EXPECT_EQ(WM_QUIT, msg.message);
  EXPECT_EQ(7u, msg.wParam);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_MESSAGES(log, {{"window", WM_CLOSE, posted},
                        {"window", WM_DESTROY, sent},
                        {"window", WM_NCDESTROY, sent},
                        {nullptr, WM_QUIT, posted | wparam, 7}});
}

TEST_F(WindowLife, QuitComesAfterThePostedMessages) {
  HWND window = CreateTestWindow("Queue");
  MessageLog log({WM_USER + 1, WM_USER + 2, WM_QUIT});
  log.Name(window, "window");
  PostQuitMessage(3);
  PostMessageA(window, WM_USER + 1, 0, 0);
  PostMessageA(window, WM_USER + 2, 0, 0);
  EXPECT_FALSE(Pump());
  EXPECT_EQ(3u, quitCode);
  EXPECT_MESSAGES(log, {{"window", WM_USER + 1, posted},
                        {"window", WM_USER + 2, posted},
                        {nullptr, WM_QUIT, posted | wparam, 3}});
}

TEST_F(WindowLife, DestroyingAnOwnerDestroysItsOwnedWindowsFirst) {
  HWND owner = CreateTestWindow("Owner");
  HWND owned = CreateTestWindow("Owned", owner);
  HWND child = CreateTestWindow("Child", owner, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10);
  MessageLog log({WM_DESTROY, WM_NCDESTROY});
  log.Name(owner, "owner");
  log.Name(owned, "owned");
  log.Name(child, "child");
  EXPECT_TRUE(DestroyWindow(owner));
  EXPECT_FALSE(IsWindow(owned));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_MESSAGES(log, {{"owned", WM_DESTROY, sent},
                        {"owned", WM_NCDESTROY, sent},
                        {"owner", WM_DESTROY, sent},
                        {"child", WM_DESTROY, sent},
                        {"child", WM_NCDESTROY, sent},
                        {"owner", WM_NCDESTROY, sent}});
}

TEST_F(WindowLife, DefaultMinimiseAndRestore) {
  HWND owner = CreateTestWindow("Owner", nullptr, PopupStyle, 20, 30, 100, 50);
  HWND popup = CreateTestWindow("Popup", owner);
  ShowWindow(owner, SW_SHOWNORMAL);
  ShowWindow(popup, SW_SHOWNORMAL);
  MessageLog log({WM_SHOWWINDOW, WM_SIZE});
  log.Name(owner, "owner");
  log.Name(popup, "popup");

  SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(owner));
  EXPECT_TRUE(IsWindowVisible(owner));
  EXPECT_FALSE(IsWindowVisible(popup));  // hidden with its owner
  RECT rect;
  GetWindowRect(owner, &rect);
  // Where a minimised window goes depends on the desktop's settings (off at -32000, or arranged
  // along the bottom of the screen when windows are unmanaged); it leaves its normal place.
  EXPECT_FALSE(rect.left == 20 && rect.top == 30);
  // Told why, the popup's default handling hides it with ShowWindow, which tells it again.
  EXPECT_MESSAGES(log, {{"popup", WM_SHOWWINDOW, sent | wparam | lparam, FALSE, SW_PARENTCLOSING},
                        {"popup", WM_SHOWWINDOW, sent | wparam | lparam, FALSE, 0},
                        {"owner", WM_SIZE, sent | wparam, SIZE_MINIMIZED}});

  log.Flush();
  SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(owner));
  EXPECT_TRUE(IsWindowVisible(popup));
  GetWindowRect(owner, &rect);
  EXPECT_EQ(20, rect.left);
  EXPECT_EQ(30, rect.top);
  EXPECT_EQ(120, rect.right);
  EXPECT_EQ(80, rect.bottom);
  EXPECT_MESSAGES(log, {{"popup", WM_SHOWWINDOW, sent | wparam | lparam, TRUE, SW_PARENTOPENING},
                        {"popup", WM_SHOWWINDOW, sent | wparam | lparam, TRUE, 0},
                        {"owner", WM_SIZE, sent | wparam, SIZE_RESTORED}});
}

TEST_F(WindowLife, RestoreShowsOnlyWhatMinimiseHid) {
  HWND owner = CreateTestWindow("Owner");
  HWND popup = CreateTestWindow("Popup", owner);
  ShowWindow(owner, SW_SHOWNORMAL);
  ShowWindow(popup, SW_SHOWNORMAL);
  ShowWindow(popup, SW_HIDE);
  SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsWindowVisible(popup));
}

TEST_F(WindowLife, PopUpThatKeepsWmShowWindowToItselfStaysWhenItsOwnerIsMinimised) {
  HWND owner = CreateTestWindow("Owner");
  HWND popup = CreateTestWindow("Popup", owner);
  ShowWindow(owner, SW_SHOWNORMAL);
  ShowWindow(popup, SW_SHOWNORMAL);
  onWindow = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT *) {
    return hwnd == popup && message == WM_SHOWWINDOW;  // handled, so no default hiding
  };
  SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(owner));
  EXPECT_TRUE(IsWindowVisible(popup));
}

TEST_F(WindowLife, StartedMinimisedAndShownNormallyLater) {
  HWND other = CreateTestWindow("Other");
  ShowWindow(other, SW_SHOWNORMAL);
  HWND window = CreateTestWindow("Window", nullptr, PopupStyle, 0, 768, 0, 0);
  MessageLog log({WM_SHOWWINDOW});
  log.Name(window, "window");
  EXPECT_FALSE(ShowWindow(window, SW_SHOWMINNOACTIVE));
  EXPECT_TRUE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(other, GetActiveWindow());
  EXPECT_MESSAGES(log, {});  // a change of state, not of visibility alone
  EXPECT_TRUE(ShowWindow(window, SW_SHOWNORMAL));
  EXPECT_FALSE(IsIconic(window));
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(0, rect.left);
  EXPECT_EQ(768, rect.top);
  EXPECT_EQ(0, rect.right - rect.left);
  EXPECT_EQ(window, GetActiveWindow());
}

TEST_F(WindowLife, SystemCommandsOfADisabledWindowDoNothing) {
  HWND window = CreateTestWindow("Disabled");
  ShowWindow(window, SW_SHOWNORMAL);
  EnableWindow(window, FALSE);
  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsIconic(window));
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowLife, CloseCommandBecomesWmClose) {
  HWND window = CreateTestWindow("Window");
  MessageLog log({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
  log.Name(window, "window");
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_MESSAGES(log, {{"window", WM_SYSCOMMAND, sent | wparam, SC_CLOSE},
                        {"window", WM_CLOSE, sent},
                        {"window", WM_DESTROY, sent}});
}

TEST_F(WindowLife, EnableWindowReportsTheOldStateAndTellsTheWindow) {
  HWND window = CreateTestWindow("Window");
  MessageLog log({WM_ENABLE});
  log.Name(window, "window");
  EXPECT_FALSE(EnableWindow(window, FALSE));  // was enabled
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_TRUE(EnableWindow(window, FALSE));  // was disabled already: no message
  EXPECT_TRUE(EnableWindow(window, TRUE));
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_MESSAGES(log, {{"window", WM_ENABLE, sent | wparam, FALSE},
                        {"window", WM_ENABLE, sent | wparam, TRUE}});
}

}  // namespace
