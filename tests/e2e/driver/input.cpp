// SendInput with absolute pointer positions: Wine maps dx, dy to the primary screen as
// (d * size) >> 16, so each position is rounded up to land on the intended pixel.
#include "input.h"

#include "report.h"
#include "screen.h"

namespace {

void Send(INPUT input, DWORD ms) {
  SendInput(1, &input, sizeof input);
  Pause(ms);
}

void MoveTo(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(input, 0);
  // In Wine's virtual desktop the pointer arrives once the X server has moved it: wait for that,
  // so that the button press lands where the pointer was sent.
  POINT at = {-1, -1};
  WaitUntil([&] { return GetCursorPos(&at) && at.x == x && at.y == y; }, 2000);
  Pause(100);
}

void Button(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  Send(input, 100);
}

void Key(WORD key, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  Send(input, 30);
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
  Button(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Button(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void ClickWindow(HWND window, bool right) {
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
  Note("found no frame part %d on the window", hit);
}

void PressKey(WORD key) {
  Key(key, 0);
  Key(key, KEYEVENTF_KEYUP);
}
