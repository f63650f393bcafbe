// Input under Wine: SendInput, which Wine turns into the hardware input of a real user.
#include "dial/dial_input.h"

#include <cstdlib>

namespace {

// Where and when the last click went: two clicks on one spot within the double-click time would
// be one double click, which a list box does not treat as a second toggle.
POINT lastClick = {-1000, -1000};
DWORD lastClickTime;

void SendMouse(POINT screen, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 over the primary screen.
  input.mi.dx = (screen.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (screen.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

void SendKey(UINT virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = (WORD)virtualKey;
  input.ki.wScan = (WORD)MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

namespace {

bool Clickable(HWND control) {
  for (HWND window = control; window != nullptr; window = GetParent(window))
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  return true;
}

void ClickAt(HWND window, POINT client) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  DWORD sinceLast = GetTickCount() - lastClickTime;
  int nearX = GetSystemMetrics(SM_CXDOUBLECLK), nearY = GetSystemMetrics(SM_CYDOUBLECLK);
  if (sinceLast <= GetDoubleClickTime() && std::abs(screen.x - lastClick.x) <= nearX &&
      std::abs(screen.y - lastClick.y) <= nearY)
    Sleep(GetDoubleClickTime() - sinceLast + 50);
  SendMouse(screen, 0);
  SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
  SendMouse(screen, MOUSEEVENTF_LEFTUP);
  lastClick = screen;
  lastClickTime = GetTickCount();
}

}  // namespace

bool ClickControl(HWND control) {
  RECT rect;
  if (!Clickable(control) || !GetClientRect(control, &rect)) return false;
  ClickAt(control, POINT{rect.right / 2, rect.bottom / 2});
  return true;
}

bool ClickListItem(HWND listBox, int index) {
  RECT rect;
  if (!Clickable(listBox)) return false;
  SendMessageA(listBox, LB_SETTOPINDEX, index, 0);  // scrolled into view, as a person would
  if (SendMessageA(listBox, LB_GETITEMRECT, index, (LPARAM)&rect) == LB_ERR) return false;
  ClickAt(listBox, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  return true;
}

void PressKey(UINT virtualKey) {
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
}

void WaitForInput() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
}
