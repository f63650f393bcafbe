// ShowWindow, as Wine's show_window does it: WM_SHOWWINDOW when the visibility changes (not for
// a minimise or restore), the move to and from the minimised position at -32000, -32000, and the
// activation that showing a top-level window brings.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

constexpr int MinimizedPosition = -32000;

// Minimises or restores; returns the SetWindowPos flags and fills the new rectangle.
UINT MinMaximize(HWND hwnd, int command, RECT *newRect) {
  Window *window = Find(hwnd);
  if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE) {
    if (window->style & WS_MINIMIZE) {
      *newRect = window->rect;
      return SWP_NOSIZE | SWP_NOMOVE;
    }
    Desk &d = TheDesk();
    if (d.focus == hwnd || IsDescendant(hwnd, d.focus)) SetFocusTo(nullptr);
    window = Find(hwnd);
    if (!window) return SWP_NOSIZE | SWP_NOMOVE;
    window->normalRect = window->rect;
    window->style |= WS_MINIMIZE;
    *newRect = {MinimizedPosition, MinimizedPosition, MinimizedPosition + Metric(SM_CXMINIMIZED),
                MinimizedPosition + Metric(SM_CYMINIMIZED)};
    return SwpStateChanged;
  }
  // Restore.
  if (!(window->style & WS_MINIMIZE)) {
    *newRect = window->rect;
    return SWP_NOSIZE | SWP_NOMOVE;
  }
  window->style &= ~WS_MINIMIZE;
  *newRect = window->normalRect;
  return SwpStateChanged;
}

}  // namespace

// What DefWindowProcA's SC_MINIMIZE and SC_RESTORE do to the owned pop-ups of a window: they
// are told with WM_SHOWWINDOW (SW_PARENTCLOSING, SW_PARENTOPENING), and it is the default
// handling of that message that hides them and shows again those it hid.
void ShowOwnedPopups(HWND owner, bool show) {
  std::vector<HWND> topLevel = TheDesk().topLevel;
  for (size_t i = topLevel.size(); i-- > 0;) {
    Window *window = Find(topLevel[i]);
    if (!window || window->owner != owner) continue;
    if (show) {
      if (window->hiddenWithOwner)
        Send(topLevel[i], WM_SHOWWINDOW, SW_SHOWNORMAL, SW_PARENTOPENING);
    } else if (window->style & WS_VISIBLE) {
      Send(topLevel[i], WM_SHOWWINDOW, SW_HIDE, SW_PARENTCLOSING);
    }
  }
}

BOOL ShowWindowNow(HWND hwnd, int command) {
  Window *window = Find(hwnd);
  if (!window) return FALSE;
  DWORD style = window->style;
  bool wasVisible = (style & WS_VISIBLE) != 0;
  bool child = (style & WS_CHILD) != 0;
  bool show = command != SW_HIDE;
  UINT flags = 0;
  RECT newRect = {0, 0, 0, 0};  // what SetWindowPos is told when neither moving nor sizing
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
      flags = SWP_NOACTIVATE | SWP_NOZORDER;
      [[fallthrough]];
    case SW_SHOWMINIMIZED:
      flags |= SWP_SHOWWINDOW | MinMaximize(hwnd, command, &newRect);
      if ((style & WS_MINIMIZE) && wasVisible) return TRUE;
      break;
    case SW_SHOWNA:
      flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child) flags |= SWP_NOZORDER;
      break;
    case SW_SHOW:
      if (wasVisible) return TRUE;
      flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWNOACTIVATE:
      flags = SWP_NOACTIVATE | SWP_NOZORDER;
      [[fallthrough]];
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      flags |= SWP_SHOWWINDOW;
      if (style & WS_MINIMIZE) {
        flags |= MinMaximize(hwnd, SW_RESTORE, &newRect);
      } else {
        if (wasVisible) return TRUE;
        flags |= SWP_NOSIZE | SWP_NOMOVE;
      }
      if (child && !(flags & SwpStateChanged)) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWMAXIMIZED:
      detail::Unsupported("ShowWindow: SW_SHOWMAXIMIZED (maximised windows are not modelled)");
    default:
      detail::Unsupported("ShowWindow: this command");
  }
  if (show != wasVisible && !(flags & SwpStateChanged)) {
    Send(hwnd, WM_SHOWWINDOW, show, 0);
    if (!Find(hwnd)) return wasVisible;
  }
  SetPosition(hwnd, HWND_TOP, newRect.left, newRect.top, newRect.right - newRect.left,
              newRect.bottom - newRect.top, flags);
  if (!Find(hwnd)) return wasVisible;
  if (command == SW_HIDE) {
    Desk &d = TheDesk();
    if (hwnd == d.active) ActivateOtherWindow(hwnd);
    if (hwnd == d.focus) {
      Window *hidden = Find(hwnd);
      SetFocusTo(hidden ? hidden->parent : nullptr);
    }
    return wasVisible;
  }
  // Coming back from the minimised state, Windows gives the window the focus.
  if ((style & WS_MINIMIZE) && !(Find(hwnd)->style & WS_MINIMIZE)) {
    SetFocusTo(hwnd);
    if (!child && !(flags & SWP_NOACTIVATE) && Find(hwnd)) Send(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
  }
  return wasVisible;
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Entry entry("ShowWindow", hWnd, {nCmdShow});
  return ShowWindowNow(hWnd, nCmdShow);
}
