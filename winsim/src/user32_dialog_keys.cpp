// IsDialogMessageA: the dialog keyboard interface, as Wine implements it. Tab moves the focus
// through the tab stops, the arrow keys through a group, Enter presses the focused push button
// or the default one, Escape sends IDCANCEL, and a mnemonic presses its button. Every other
// message for the dialog or its controls is translated and dispatched.
#include "user32_internal.h"

#include <cctype>
#include <cstring>

namespace winsim::user32::internal {

namespace {

UINT DialogCode(HWND control, const MSG *msg) {
  return (UINT)Send(control, WM_GETDLGCODE, msg ? msg->wParam : 0, (LPARAM)msg);
}

// A '&' mnemonic in the text of a visible, enabled button or static control.
bool PressMnemonic(HWND dialog, WPARAM character) {
  std::vector<HWND> children = Find(dialog)->children;
  for (HWND child : children) {
    Window *window = Find(child);
    if (!window || (window->style & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) continue;
    UINT code = DialogCode(child, nullptr);
    if (!(code & (DLGC_BUTTON | DLGC_STATIC))) continue;
    const std::string &text = Find(child)->text;
    size_t at = 0;
    while ((at = text.find('&', at)) != std::string::npos && at + 1 < text.size() &&
           text[at + 1] == '&')
      at += 2;
    if (at == std::string::npos || at + 1 >= text.size()) continue;
    if (std::toupper((unsigned char)text[at + 1]) != std::toupper((int)character)) continue;
    if (code & DLGC_STATIC) {
      Send(dialog, WM_NEXTDLGCTL, (WPARAM)child, 1);
      Send(dialog, WM_NEXTDLGCTL, 0, 0);
    } else {
      Send(child, BM_CLICK, 0, 0);
    }
    return true;
  }
  return false;
}

bool HandleKeyDown(HWND dialog, MSG *msg) {
  UINT code = DialogCode(msg->hwnd, msg);
  if (code & DLGC_WANTMESSAGE) return false;
  Desk &d = TheDesk();
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      if (Find(dialog)->dialog) {
        Send(dialog, WM_NEXTDLGCTL, 0, 0);  // Shift is never held down in winsim
      } else {
        HWND next = GetNextDlgTabItem(dialog, d.focus == dialog ? nullptr : d.focus, FALSE);
        if (!next) return false;
        SetFocusTo(next);
      }
      return true;
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LEFT:
    case VK_UP: {
      if (code & DLGC_WANTARROWS) return false;
      bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
      HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, previous);
      if (next && DialogCode(next, msg) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
        detail::Unsupported("radio buttons");
      }
      Send(dialog, WM_NEXTDLGCTL, (WPARAM)next, 1);
      return true;
    }
    case VK_ESCAPE:
      Send(dialog, WM_COMMAND, IDCANCEL, (LPARAM)GetDlgItem(dialog, IDCANCEL));
      return true;
    case VK_RETURN: {
      HWND focus = d.focus;
      if (IsDescendant(dialog, focus) && (DialogCode(focus, nullptr) & DLGC_DEFPUSHBUTTON)) {
        Send(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), (LPARAM)focus);
        return true;
      }
      DWORD defaultId = (DWORD)Send(dialog, DM_GETDEFID, 0, 0);
      if (HIWORD(defaultId) == DC_HASDEFID) {
        HWND button = GetDlgItem(dialog, LOWORD(defaultId));
        // A disabled default button is not pressed.
        if (!button || !(Find(button)->style & WS_DISABLED)) {
          Send(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(defaultId), BN_CLICKED), (LPARAM)button);
        }
      } else {
        Send(dialog, WM_COMMAND, IDOK, (LPARAM)GetDlgItem(dialog, IDOK));
      }
      return true;
    }
  }
  return false;
}

}  // namespace

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
  Entry entry("IsDialogMessageA", hDlg, {(intptr_t)lpMsg->message, (intptr_t)lpMsg->wParam});
  if (!Find(hDlg)) return FALSE;
  if (hDlg != lpMsg->hwnd && !IsDescendant(hDlg, lpMsg->hwnd)) return FALSE;
  switch (lpMsg->message) {
    case WM_KEYDOWN:
      if (HandleKeyDown(hDlg, lpMsg)) return TRUE;
      break;
    case WM_CHAR: {
      UINT code = DialogCode(lpMsg->hwnd, lpMsg);
      if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
      if (lpMsg->wParam == '\t' && (code & DLGC_WANTTAB)) break;
      if (Find(hDlg) && PressMnemonic(hDlg, lpMsg->wParam)) return TRUE;
      break;
    }
  }
  TranslateMessage(lpMsg);
  DispatchMessageA(lpMsg);
  return TRUE;
}
