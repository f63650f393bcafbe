// What a window is and how it relates to others: text, styles, parent and owner, enabled state,
// visibility, FindWindowA, GetWindow and the module-level handles.
#include "user32_internal.h"

#include <cstring>

using namespace winsim::user32::internal;

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  Entry entry("SetWindowTextA", hWnd, {}, lpString);
  if (!Find(hWnd)) return FALSE;
  return Send(hWnd, WM_SETTEXT, 0, (LPARAM)lpString) != 0;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  Entry entry("GetWindowTextA", hWnd, {nMaxCount});
  if (lpString && nMaxCount > 0) lpString[0] = 0;
  if (!Find(hWnd)) return 0;
  return (int)Send(hWnd, WM_GETTEXT, nMaxCount, (LPARAM)lpString);
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  Entry entry("GetWindowLongA", hWnd, {nIndex});
  Window *window = Find(hWnd);
  if (!window) return 0;
  switch (nIndex) {
    case GWL_STYLE:
      return (LONG)window->style;
    case GWL_EXSTYLE:
      return (LONG)window->exStyle;
    case GWL_ID:
      return window->id;
  }
  winsim::detail::Unsupported("GetWindowLongA: an index other than GWL_STYLE, GWL_EXSTYLE, GWL_ID");
}

HWND WINAPI GetParent(HWND hWnd) {
  Entry entry("GetParent", hWnd);
  Window *window = Find(hWnd);
  if (!window) return nullptr;
  if (window->style & WS_CHILD) return window->parent;
  if (window->style & WS_POPUP) return window->owner;
  return nullptr;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Entry entry("GetWindow", hWnd, {(intptr_t)uCmd});
  Window *window = Find(hWnd);
  if (!window) return nullptr;
  if (uCmd == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
  if (uCmd == GW_OWNER) return window->owner;
  const std::vector<HWND> &siblings =
      window->parent ? Find(window->parent)->children : TheDesk().topLevel;
  size_t index = 0;
  while (index < siblings.size() && siblings[index] != hWnd) index++;
  switch (uCmd) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return index + 1 < siblings.size() ? siblings[index + 1] : nullptr;
    case GW_HWNDPREV:
      return index > 0 ? siblings[index - 1] : nullptr;
  }
  winsim::detail::Unsupported("GetWindow: this relation");
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  Entry entry("IsChild", hWndParent, {(intptr_t)hWnd});
  return IsDescendant(hWndParent, hWnd);
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Entry entry("IsWindowVisible", hWnd);
  for (Window *window = Find(hWnd); window; window = Find(window->parent)) {
    if (!(window->style & WS_VISIBLE)) return FALSE;
    if (!window->parent) return TRUE;
  }
  return FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Entry entry("IsWindowEnabled", hWnd);
  Window *window = Find(hWnd);
  return window && !(window->style & WS_DISABLED);
}

BOOL WINAPI IsIconic(HWND hWnd) {
  Entry entry("IsIconic", hWnd);
  Window *window = Find(hWnd);
  return window && (window->style & WS_MINIMIZE);
}

// Returns whether the window was disabled before. A window that becomes disabled loses the focus.
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Entry entry("EnableWindow", hWnd, {bEnable});
  Window *window = Find(hWnd);
  if (!window) return FALSE;
  BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
  if (bEnable && wasDisabled) {
    window->style &= ~WS_DISABLED;
    Send(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !wasDisabled) {
    window->style |= WS_DISABLED;
    HWND focus = TheDesk().focus;
    if (focus == hWnd || IsDescendant(hWnd, focus)) SetFocusTo(nullptr);
    Send(hWnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  Entry entry("FindWindowA", nullptr, {},
              lpClassName && !IS_INTRESOURCE(lpClassName) ? lpClassName : lpWindowName);
  const WindowClass *windowClass = nullptr;
  if (lpClassName) {
    windowClass = LookupClass(lpClassName);
    if (!windowClass) return nullptr;
  }
  for (HWND hwnd : TheDesk().topLevel) {
    Window *window = Find(hwnd);
    if (windowClass && window->windowClass != windowClass) continue;
    if (lpWindowName && !SameTextIgnoringCase(window->text, lpWindowName)) continue;
    return hwnd;
  }
  return nullptr;
}

HWND WINAPI GetDesktopWindow(void) {
  Entry entry("GetDesktopWindow");
  return (HWND)(uintptr_t)0x10010;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  Entry entry("GetWindowThreadProcessId", hWnd);
  if (!Find(hWnd)) return 0;
  if (lpdwProcessId) *lpdwProcessId = 0x20;
  return 0x24;
}

DWORD WINAPI GetCurrentThreadId(void) {
  return 0x24;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  Entry entry("GetDlgCtrlID", hWnd);
  Window *window = Find(hWnd);
  return window ? window->id : 0;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Entry entry("GetDlgItem", hDlg, {nIDDlgItem});
  Window *dialog = Find(hDlg);
  if (!dialog) return nullptr;
  for (HWND child : dialog->children) {
    if (Find(child)->id == nIDDlgItem) return child;
  }
  return nullptr;
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  Entry entry("LoadIconA", nullptr, {(intptr_t)hInstance},
              IS_INTRESOURCE(lpIconName) ? nullptr : lpIconName);
  if (!hInstance) {
    uintptr_t id = (uintptr_t)lpIconName;
    if (!IS_INTRESOURCE(lpIconName) || id < 32512 || id > 32516) {
      winsim::detail::Unsupported(
          "LoadIconA: a system icon other than IDI_APPLICATION..IDI_ASTERISK");
    }
    return (HICON)(0x30000 + id);
  }
  const BYTE *bytes;
  size_t size;
  if (!FindResourceBytes(MAKEINTRESOURCEA(14), lpIconName, &bytes, &size))
    return nullptr;  // RT_GROUP_ICON
  return (HICON)(uintptr_t)(0x40000 + ((uintptr_t)bytes & 0xFFFF));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  Entry entry("LoadCursorA", nullptr, {(intptr_t)hInstance, (intptr_t)lpCursorName});
  if (hInstance || !IS_INTRESOURCE(lpCursorName))
    winsim::detail::Unsupported("LoadCursorA: a cursor resource");
  return (HCURSOR)(0x50000 + (uintptr_t)lpCursorName);
}

BOOL WINAPI MessageBeep(UINT uType) {
  Entry entry("MessageBeep", nullptr, {(intptr_t)uType});
  return TRUE;
}
