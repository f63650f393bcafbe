// Where windows are and how they relate, on both platforms: moves that the window procedure
// vetoes with SWP_NOMOVE, coordinates, FindWindowA, GetParent and the last active pop-up.
#include "user32/user32_fixture.h"

#include <string>

namespace {

using WindowPlace = User32Test;

// The owner window's rule: no move to a y above 100 unless minimised.
TEST_F(WindowPlace, WindowProcedureCanRefuseTheMoveButNotTheSize) {
  HWND window = CreateTestWindow("Mover", nullptr, PopupStyle, 0, 200, 10, 10);
  std::vector<WINDOWPOS> changing;
  onWindow = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT *) {
    if (hwnd != window || message != WM_WINDOWPOSCHANGING) return false;
    WINDOWPOS *pos = (WINDOWPOS *)lParam;
    changing.push_back(*pos);
    if (!IsIconic(hwnd) && pos->y < 100) pos->flags |= SWP_NOMOVE;
    return false;
  };
  struct Row {
    const char *context;
    int x, y, width, height;
    RECT expected;
  } rows[] = {
      {"move up refused, size taken", 5, 50, 30, 40, {0, 200, 30, 240}},
      {"move down taken", 7, 300, 30, 40, {7, 300, 37, 340}},
      {"negative y refused", 1, -5, 20, 20, {7, 300, 27, 320}},
      {"exactly at the limit taken", 2, 100, 20, 20, {2, 100, 22, 120}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    changing.clear();
    EXPECT_TRUE(MoveWindow(window, row.x, row.y, row.width, row.height, TRUE));
    ASSERT_FALSE(changing.empty());
    EXPECT_EQ(row.x, changing[0].x);
    EXPECT_EQ(row.y, changing[0].y);
    EXPECT_EQ(row.width, changing[0].cx);
    EXPECT_EQ(row.height, changing[0].cy);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(row.expected.left, rect.left);
    EXPECT_EQ(row.expected.top, rect.top);
    EXPECT_EQ(row.expected.right, rect.right);
    EXPECT_EQ(row.expected.bottom, rect.bottom);
  }
}

TEST_F(WindowPlace, ClientAreaLiesInsideTheFrameAndConvertsBothWays) {
  HWND window =
      CreateTestWindow("Framed", nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU, 40, 60, 200, 100);
  RECT rect, client;
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  POINT corner = {client.right, client.bottom};
  ClientToScreen(window, &corner);
  EXPECT_GT(origin.x, rect.left);
  EXPECT_GT(origin.y, rect.top + 10);  // below the caption
  EXPECT_LT(corner.x, rect.right);
  EXPECT_LT(corner.y, rect.bottom);
  EXPECT_EQ(corner.x - origin.x, client.right);
  POINT back = corner;
  ScreenToClient(window, &back);
  EXPECT_EQ(client.right, back.x);
  EXPECT_EQ(client.bottom, back.y);

  HWND child = CreateTestWindow("Child", window, WS_CHILD | WS_VISIBLE, 5, 7, 20, 10);
  RECT childRect;
  GetWindowRect(child, &childRect);
  EXPECT_EQ(origin.x + 5, childRect.left);
  EXPECT_EQ(origin.y + 7, childRect.top);
}

TEST_F(WindowPlace, FindWindowMatchesClassAndCaptionWithoutRegardToCase) {
  HWND window = CreateTestWindow("Quillbox Probe Caption");
  struct Row {
    const char *context;
    const char *className;
    const char *caption;
    bool found;
  } rows[] = {
      {"both as given", WindowClass, "Quillbox Probe Caption", true},
      {"other case", "u32testwindow", "QUILLBOX PROBE CAPTION", true},
      {"caption only", nullptr, "Quillbox Probe Caption", true},
      {"other caption", WindowClass, "Quillbox Probe", false},
      {"unknown class", "NoSuchClassAnywhere", "Quillbox Probe Caption", false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    EXPECT_EQ(row.found ? window : nullptr, FindWindowA(row.className, row.caption));
  }
}

TEST_F(WindowPlace, ParentOfAPopUpIsItsOwner) {
  HWND owner = CreateTestWindow("Owner");
  HWND popup = CreateTestWindow("Popup", owner);
  HWND child = CreateTestWindow("Child", popup, WS_CHILD, 0, 0, 5, 5);
  HWND grandPopup = CreateTestWindow("Owned by a child", child);
  EXPECT_EQ(nullptr, GetParent(owner));
  EXPECT_EQ(owner, GetParent(popup));
  EXPECT_EQ(popup, GetParent(child));
  EXPECT_EQ(popup, GetParent(grandPopup));  // the owner is the child's top-level window
}

TEST_F(WindowPlace, LastActivePopupFollowsActivation) {
  HWND owner = CreateTestWindow("Owner");
  HWND first = CreateTestWindow("First", owner);
  HWND second = CreateTestWindow("Second", first);
  ShowWindow(owner, SW_SHOWNORMAL);
  EXPECT_EQ(owner, GetLastActivePopup(owner));
  ShowWindow(first, SW_SHOWNORMAL);
  EXPECT_EQ(first, GetLastActivePopup(owner));
  ShowWindow(second, SW_SHOWNORMAL);
  EXPECT_EQ(second, GetLastActivePopup(owner));  // the whole owner chain learns it
  EXPECT_EQ(second, GetLastActivePopup(first));
  DestroyWindow(second);
  EXPECT_EQ(first, GetActiveWindow());  // its owner takes over
  EXPECT_EQ(first, GetLastActivePopup(owner));
  BringWindowToTop(owner);
  EXPECT_EQ(owner, GetActiveWindow());
  EXPECT_EQ(owner, GetLastActivePopup(owner));
}

TEST_F(WindowPlace, HidingTheActivePopUpActivatesItsOwner) {
  HWND owner = CreateTestWindow("Owner");
  HWND popup = CreateTestWindow("Popup", owner);
  ShowWindow(owner, SW_SHOWNORMAL);
  ShowWindow(popup, SW_SHOWNORMAL);
  EXPECT_EQ(popup, GetActiveWindow());
  ShowWindow(popup, SW_HIDE);
  EXPECT_EQ(owner, GetActiveWindow());
  EXPECT_EQ(owner, GetLastActivePopup(owner));
}

TEST_F(WindowPlace, WindowTextRoundTrips) {
  HWND window = CreateTestWindow("Before");
  EXPECT_TRUE(SetWindowTextA(window, "TrueType Fonts Installation"));
  char text[64];
  EXPECT_EQ(27, GetWindowTextA(window, text, sizeof text));
  EXPECT_STREQ("TrueType Fonts Installation", text);
  EXPECT_EQ(4, GetWindowTextA(window, text, 5));  // cut to the buffer
  EXPECT_STREQ("True", text);
  // Text that begins with 0xFF is text, not a resource ordinal.
  EXPECT_TRUE(SetWindowTextA(window, "\xFFvre Sans"));
  EXPECT_EQ(9, GetWindowTextA(window, text, sizeof text));
  EXPECT_STREQ("\xFFvre Sans", text);
}

TEST_F(WindowPlace, SystemMetricsOfTheTestScreen) {
  // The test machines run a 1024 x 768 screen (Xvfb under Wine; winsim's default).
  EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 10);
}

}  // namespace
