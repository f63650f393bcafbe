// Input as a person gives it: clicks and key presses become the messages that the mouse and
// keyboard would put in the thread's queue. A person cannot click what is hidden or disabled,
// nor anything in a window that a modal dialog has disabled.
#include "user32_internal.h"

namespace winsim::user32 {
using namespace internal;

namespace {

bool Clickable(HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return false;
  for (Window *window = Find(hwnd); window; window = Find(window->parent)) {
    if (window->style & (WS_DISABLED | WS_MINIMIZE)) return false;
  }
  return true;
}

void PostClick(HWND hwnd, POINT point) {
  Post(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  Post(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

LPARAM KeyParam(UINT key, bool up) {
  LPARAM scan = key == VK_RETURN   ? 0x1C
                : key == VK_ESCAPE ? 0x01
                : key == VK_TAB    ? 0x0F
                : key == VK_SPACE  ? 0x39
                                   : 0;
  return (LPARAM)(1 | scan << 16 | (up ? 0xC0000000u : 0));
}

}  // namespace

bool Click(HWND window) {
  Quiet quiet;
  if (!Find(window) || !Clickable(window)) return false;
  RECT client;
  GetClientRect(window, &client);
  PostClick(window, {client.right / 2, client.bottom / 2});
  return true;
}

bool ClickListItem(HWND listBox, int index) {
  Quiet quiet;
  if (!Find(listBox) || !Clickable(listBox)) return false;
  POINT point;
  if (!ListItemPoint(listBox, index, &point)) return false;
  PostClick(listBox, point);
  return true;
}

void PressKey(UINT key) {
  Quiet quiet;
  bool supported = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE ||
                   key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END ||
                   (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!supported) detail::Unsupported("winsim::user32::PressKey: this key");
  Desk &d = TheDesk();
  HWND target = d.focus ? d.focus : d.active;
  if (!target) detail::Unsupported("winsim::user32::PressKey with no window to take the key");
  Post(target, WM_KEYDOWN, key, KeyParam(key, false));
  Post(target, WM_KEYUP, key, KeyParam(key, true));
}

}  // namespace winsim::user32
