// SendInput with absolute pointer positions: Wine maps dx, dy to the primary screen as
// (d * size) >> 16, so each position is rounded up to land on the intended pixel.
#include "input.h"

#include "report.h"
#include "screen.h"

namespace {

void Send(INPUT &input) {
  SendInput(1, &input, sizeof input);
}

void MoveTo(int x, int y) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65536 + width - 1) / width;
  input.mi.dy = (y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(input);
  // In Wine's virtual desktop the pointer arrives once the X server has moved it: wait for that,
  // so that the button press lands where the pointer was sent.
  DWORD start = GetTickCount();
  POINT at = {-1, -1};
  while (GetCursorPos(&at) && (at.x != x || at.y != y) && GetTickCount() - start < 2000) Pause(10);
  if (at.x != x || at.y != y) Note("the pointer is at %ld,%ld instead of %d,%d", at.x, at.y, x, y);
  Pause(100);
}

void Button(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  Send(input);
  Pause(100);
}

void Key(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  Send(input);
  Pause(30);
}

POINT Middle(const RECT &rect) {
  POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return point;
}

LRESULT HitTest(HWND window, int x, int y) {
  DWORD_PTR result = HTNOWHERE;
  SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 3000, &result);
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

void ClickAt(int x, int y) {
  // The hand comes from nearby: in Wine's virtual desktop the first press after the pointer
  // jumped to a new place can be lost, while one after a short approach arrives.
  MoveTo(x + 2, y + 1);
  MoveTo(x, y);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
}

bool ClickControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) {
    Note("no control %d to click", id);
    return false;
  }
  EnsureActive(control);
  RECT rect;
  GetWindowRect(control, &rect);
  POINT point = Middle(rect);
  ClickAt(point.x, point.y);
  return true;
}

bool ClickItem(HWND list, int index) {
  RECT rect = {0, 0, 0, 0};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect),
                           SMTO_ABORTIFHUNG, 3000, &result) ||
      static_cast<LRESULT>(result) == LB_ERR) {
    Note("no rectangle for list item %d", index);
    return false;
  }
  EnsureActive(list);
  POINT point = Middle(rect);
  ClientToScreen(list, &point);
  ClickAt(point.x, point.y);
  return true;
}

bool ClickFrame(HWND window, int hit) {
  RECT rect;
  GetWindowRect(window, &rect);
  // The title bar lies below the top border; walk down the first rows until the caption answers.
  for (int y = rect.top + 1; y < rect.top + 40 && y < rect.bottom; y++) {
    int x = rect.left + (rect.right - rect.left) / 2;
    if (HitTest(window, x, y) != HTCAPTION) continue;
    if (hit == HTCAPTION) {
      ClickAt(x, y + 2);
      return true;
    }
    for (int right = rect.right - 1; right > rect.left; right--) {
      if (HitTest(window, right, y + 2) != hit) continue;
      int left = right;
      while (left > rect.left && HitTest(window, left - 1, y + 2) == hit) left--;
      ClickAt((left + right) / 2, y + 2);
      return true;
    }
    break;
  }
  Note("found no frame part %d on the window", hit);
  return false;
}

void PressKey(WORD key) {
  Key(key, false);
  Key(key, true);
}

void PressKeyWith(WORD modifier, WORD key) {
  Key(modifier, false);
  PressKey(key);
  Key(modifier, true);
}
