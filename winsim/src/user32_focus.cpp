// Activation and keyboard focus, as Wine keeps them: the active top-level window, the last
// active pop-up of each owner chain (GetLastActivePopup), and WM_ACTIVATE, WM_KILLFOCUS and
// WM_SETFOCUS in Wine's order.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

// Moves the focus and sends WM_KILLFOCUS to the old window, then WM_SETFOCUS to the new one.
HWND ChangeFocus(HWND hwnd) {
  Desk &d = TheDesk();
  HWND previous = d.focus;
  if (previous == hwnd) return previous;
  d.focus = hwnd;
  if (previous && Find(previous)) {
    Send(previous, WM_KILLFOCUS, (WPARAM)hwnd, 0);
    if (d.focus != hwnd) return previous;  // the message moved it elsewhere
  }
  if (hwnd && Find(hwnd)) Send(hwnd, WM_SETFOCUS, (WPARAM)previous, 0);
  return previous;
}

WPARAM ActivateParam(WORD state, HWND hwnd) {
  Window *window = Find(hwnd);
  return MAKEWPARAM(state, window && (window->style & WS_MINIMIZE) ? 1 : 0);
}

}  // namespace

bool CanActivate(HWND hwnd) {
  Window *window = Find(hwnd);
  if (!window) return false;
  if (!(window->style & WS_VISIBLE)) return false;
  if ((window->style & (WS_POPUP | WS_CHILD)) == WS_CHILD) return false;
  return !(window->style & WS_DISABLED);
}

void Activate(HWND hwnd, bool setFocus) {
  Desk &d = TheDesk();
  HWND previous = d.active;
  if (previous == hwnd) return;
  d.active = hwnd;
  // The window becomes the last active pop-up of itself and of each of its owners.
  for (Window *owner = Find(hwnd); owner; owner = Find(owner->owner)) owner->lastActive = hwnd;
  if (previous && Find(previous))
    Send(previous, WM_ACTIVATE, ActivateParam(WA_INACTIVE, previous), (LPARAM)hwnd);
  if (hwnd && Find(hwnd)) Send(hwnd, WM_ACTIVATE, ActivateParam(WA_ACTIVE, hwnd), (LPARAM)previous);
  if (!setFocus || d.active != hwnd) return;
  if (!d.focus || !hwnd || TopLevelOf(d.focus) != hwnd) ChangeFocus(hwnd);
}

// Windows' choice when the active window goes away: its owner if that can be activated, else
// the next top-level window below it, else any, else none.
void ActivateOtherWindow(HWND hwnd) {
  Window *window = Find(hwnd);
  HWND to = nullptr;
  if (window && (window->style & WS_POPUP) && window->owner &&
      CanActivate(TopLevelOf(window->owner))) {
    to = TopLevelOf(window->owner);
  } else {
    const std::vector<HWND> topLevel = TheDesk().topLevel;
    size_t index = 0;
    while (index < topLevel.size() && topLevel[index] != hwnd) index++;
    for (size_t i = index + 1; i < topLevel.size() && !to; i++) {
      if (CanActivate(topLevel[i])) to = topLevel[i];
    }
    for (size_t i = 0; i < topLevel.size() && topLevel[i] != hwnd && !to; i++) {
      if (CanActivate(topLevel[i])) to = topLevel[i];
    }
  }
  Activate(to, true);
}

// SetFocus: a window in a disabled or minimised top-level chain cannot take the focus; a window
// whose top-level window is not active activates it first.
HWND SetFocusTo(HWND hwnd) {
  Desk &d = TheDesk();
  if (!hwnd) return d.focus ? ChangeFocus(nullptr) : nullptr;
  if (!Find(hwnd)) return nullptr;
  if (hwnd == d.focus) return hwnd;
  HWND top = hwnd;
  for (Window *window = Find(top);; window = Find(window->parent)) {
    if (window->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
    if (!(window->style & WS_CHILD) || !window->parent) {
      top = window->handle;
      break;
    }
  }
  if (top != d.active) {
    Activate(top, false);
    if (!Find(hwnd) || d.active != top) return nullptr;
  }
  return ChangeFocus(hwnd);
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

HWND WINAPI GetFocus(void) {
  Entry entry("GetFocus");
  return TheDesk().focus;
}

HWND WINAPI SetFocus(HWND hWnd) {
  Entry entry("SetFocus", hWnd);
  return SetFocusTo(hWnd);
}

HWND WINAPI GetActiveWindow(void) {
  Entry entry("GetActiveWindow");
  return TheDesk().active;
}

HWND WINAPI GetForegroundWindow(void) {
  Entry entry("GetForegroundWindow");
  return TheDesk().active;
}

HWND WINAPI GetLastActivePopup(HWND hWnd) {
  Entry entry("GetLastActivePopup", hWnd);
  Window *window = Find(hWnd);
  if (!window) return nullptr;
  return Find(window->lastActive) ? window->lastActive : hWnd;
}
