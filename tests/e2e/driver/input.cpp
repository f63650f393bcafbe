// SendInput with absolute pointer positions: Wine maps dx, dy to the primary screen as
// (d * size) >> 16, so each position is rounded up to land on the intended pixel.
#include "input.h"

#include "report.h"
#include "screen.h"

namespace {

void Mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi = {dx, dy, 0, flags, 0, 0};
  SendInput(1, &input, sizeof input);
  Pause(100);
}

void MoveTo(int x, int y) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65536 + width - 1) / width,
        (y * 65536 + height - 1) / height);
  // In Wine's virtual desktop the pointer arrives once the X server has moved it: wait for that,
  // so that the button press lands where the pointer was sent.
  POINT at = {-1, -1};
  WaitUntil([&] { return GetCursorPos(&at) && at.x == x && at.y == y; }, 2000);
}

LRESULT HitTest(HWND window, int x, int y) {
  DWORD_PTR result = HTNOWHERE;
  SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 3000, &result);
  return static_cast<LRESULT>(result);
}

// A click on an inactive window may do no more than activate it. When the control's window is
// not the active one, a person first clicks its title bar.
void EnsureActive(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  if (GetForegroundWindow() == root) return;
  Note("the window is not active: click its title bar first");
  ClickFrame(root, HTCAPTION);
  WaitActive(root, 2000);
}

}  // namespace

void ClickAt(int x, int y, bool right) {
  // The hand comes from nearby: in Wine's virtual desktop the first press after the pointer
  // jumped to a new place can be lost, while one after a short approach arrives.
  MoveTo(x + 2, y + 1);
  MoveTo(x, y);
  Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void ClickWindow(HWND window, bool right) {
  if (!window) return;
  RECT rect = ScreenRect(window);
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, right);
}

void ClickControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EnsureActive(control);
  ClickWindow(control);
}

void ClickFrame(HWND window, int hit) {
  RECT rect = ScreenRect(window);
  // The title bar lies below the top border: walk down the middle until the caption answers, then
  // along that row from the right (from the middle for the caption itself) to the part asked for.
  int x = (rect.left + rect.right) / 2, y = rect.top + 1;
  while (y < rect.top + 40 && HitTest(window, x, y) != HTCAPTION) y++;
  int right = hit == HTCAPTION ? x : rect.right - 1, left = right;
  while (right > rect.left && HitTest(window, right, y + 2) != hit) left = --right;
  while (left > rect.left && HitTest(window, left - 1, y + 2) == hit) left--;
  if (right > rect.left) return ClickAt((left + right) / 2, y + 2);
  Note(Format("found no frame part %d on the window", hit));
}

void PressKey(WORD key) {
  for (DWORD flags : {0, KEYEVENTF_KEYUP}) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), flags, 0, 0};
    SendInput(1, &input, sizeof input);
    Pause(30);
  }
}
