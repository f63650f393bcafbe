// DefWindowProcA: what Windows does with a message that a window procedure passes on. WM_CLOSE
// destroys the window, WM_SYSCOMMAND minimises, restores and closes, WM_ACTIVATE takes the focus
// and WM_WINDOWPOSCHANGED reports the move and size.
#include "user32_internal.h"

#include <cstring>

namespace winsim::user32::internal {

namespace {

LRESULT SystemCommand(HWND hwnd, WPARAM command) {
  Window *window = Find(hwnd);
  if (window->style & WS_DISABLED) return 0;
  switch (command & 0xFFF0) {
    case SC_MINIMIZE:
      ShowOwnedPopups(hwnd, false);
      ShowWindowNow(hwnd, SW_MINIMIZE);
      return 0;
    case SC_RESTORE:
      if (window->style & WS_MINIMIZE) ShowOwnedPopups(hwnd, true);
      ShowWindowNow(hwnd, SW_RESTORE);
      return 0;
    case SC_CLOSE:
      return Send(hwnd, WM_CLOSE, 0, 0);
  }
  detail::Unsupported("DefWindowProcA: WM_SYSCOMMAND other than SC_MINIMIZE, SC_RESTORE, SC_CLOSE");
}

// Any ANSI text, 0xFF (y with diaeresis in code page 1252) at its start included.
void SetText(Window *window, LPCSTR text) {
  window->text = text ? text : "";
}

}  // namespace

LRESULT DefaultProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = Find(hwnd);
  if (!window) return 0;
  switch (message) {
    case WM_NCCREATE: {
      const CREATESTRUCTA *create = (const CREATESTRUCTA *)lParam;
      if (create) SetText(window, create->lpszName);
      return TRUE;
    }
    case WM_SETTEXT:
      SetText(window, (LPCSTR)lParam);
      return TRUE;
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      size_t length = window->text.size();
      if (length > wParam - 1) length = wParam - 1;
      std::memcpy((char *)lParam, window->text.data(), length);
      ((char *)lParam)[length] = 0;
      return (LRESULT)length;
    }
    case WM_GETTEXTLENGTH:
      return (LRESULT)window->text.size();
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SHOWWINDOW:
      // Sent by ShowOwnedPopups (lParam says why): an owned window follows its owner.
      if (!lParam || !window->owner) return 0;
      if (((window->style & WS_VISIBLE) != 0) == (wParam != 0)) return 0;
      if (wParam) {
        if (!window->hiddenWithOwner) return 0;
        window->hiddenWithOwner = false;
      } else {
        window->hiddenWithOwner = true;
      }
      ShowWindowNow(hwnd, wParam ? SW_SHOWNOACTIVATE : SW_HIDE);
      return 0;
    case WM_SYSCOMMAND:
      return SystemCommand(hwnd, wParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(window->style & WS_MINIMIZE)) SetFocusTo(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS *pos = (const WINDOWPOS *)lParam;
      RECT client = ClientRectInWindow(window);
      if (!(pos->flags & SwpNoClientMove)) {
        Send(hwnd, WM_MOVE, 0,
             MAKELPARAM(window->rect.left + client.left, window->rect.top + client.top));
        window = Find(hwnd);
        if (!window) return 0;
      }
      if (!(pos->flags & SwpNoClientSize)) {
        Send(hwnd, WM_SIZE, (window->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED,
             MAKELPARAM(client.right - client.left, client.bottom - client.top));
      }
      return 0;
    }
  }
  return 0;
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Entry entry("DefWindowProcA", hWnd, {(intptr_t)Msg, (intptr_t)wParam, lParam});
  return DefaultProcedure(hWnd, Msg, wParam, lParam);
}
