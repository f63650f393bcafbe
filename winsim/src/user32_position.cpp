// Where windows are: frames and client areas measured as Wine measures them, coordinate
// conversion, system metrics, and SetWindowPos with WM_WINDOWPOSCHANGING, whose WINDOWPOS the
// window procedure may change (SWP_NOMOVE, say) before the move takes effect.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

// The frame's width on each side (Wine's NC_AdjustRectOuter without the caption).
int FrameWidth(DWORD style, DWORD exStyle) {
  int adjust = 0;
  if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) {
    adjust = 1;
  } else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME))) {
    adjust = 2;
  }
  if (style & WS_THICKFRAME) adjust += Metric(SM_CXFRAME) - Metric(SM_CXDLGFRAME);
  if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) adjust++;
  return adjust;
}

}  // namespace

int Metric(int index) {
  Desk &d = TheDesk();
  switch (index) {
    case SM_CXSCREEN:
      return d.screenWidth;
    case SM_CYSCREEN:
      return d.screenHeight;
    case SM_CXVSCROLL:
      return d.scrollWidth;
    case SM_CYHSCROLL:
      return d.scrollHeight;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    case SM_CXMINIMIZED:
      return 160;
    case SM_CYMINIMIZED:
      return 24;
  }
  detail::Unsupported("GetSystemMetrics: this index");
}

void AdjustRect(RECT *rect, DWORD style, DWORD exStyle) {
  int frame = FrameWidth(style, exStyle);
  if (exStyle & WS_EX_CLIENTEDGE) frame += Metric(SM_CXEDGE);
  rect->left -= frame;
  rect->top -= frame;
  rect->right += frame;
  rect->bottom += frame;
  if ((style & WS_CAPTION) == WS_CAPTION) rect->top -= Metric(SM_CYCAPTION);
}

RECT ClientRectInWindow(const Window *window) {
  int width = window->rect.right - window->rect.left;
  int height = window->rect.bottom - window->rect.top;
  if (window->style & WS_MINIMIZE) return {0, 0, 0, 0};
  RECT client = {0, 0, width, height};
  int frame = FrameWidth(window->style, window->exStyle);
  if (window->exStyle & WS_EX_CLIENTEDGE) frame += Metric(SM_CXEDGE);
  client.left += frame;
  client.top += frame;
  client.right -= frame;
  client.bottom -= frame;
  if ((window->style & WS_CAPTION) == WS_CAPTION) client.top += Metric(SM_CYCAPTION);
  if (window->style & WS_VSCROLL) client.right -= Metric(SM_CXVSCROLL);
  if (window->style & WS_HSCROLL) client.bottom -= Metric(SM_CYHSCROLL);
  if (client.right < client.left) client.right = client.left;
  if (client.bottom < client.top) client.bottom = client.top;
  return client;
}

RECT ScreenRect(const Window *window) {
  RECT rect = window->rect;
  if (window->parent) {
    POINT origin = ClientOrigin(Find(window->parent));
    rect.left += origin.x;
    rect.right += origin.x;
    rect.top += origin.y;
    rect.bottom += origin.y;
  }
  return rect;
}

POINT ClientOrigin(const Window *window) {
  RECT screen = ScreenRect(window);
  RECT client = ClientRectInWindow(window);
  return {screen.left + client.left, screen.top + client.top};
}

BOOL SetPosition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window *window = Find(hwnd);
  if (!window) return FALSE;
  if (insertAfter != HWND_TOP)
    detail::Unsupported("SetWindowPos: an insert-after other than HWND_TOP");
  WINDOWPOS pos = {hwnd, insertAfter, x, y, cx, cy, flags & ~SwpStateChanged};
  Send(hwnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)&pos);
  window = Find(hwnd);
  if (!window) return FALSE;
  // Wine drops what needs no doing only after the window procedure has had its say.
  bool visible = (window->style & WS_VISIBLE) != 0;
  if (visible) pos.flags &= ~SWP_SHOWWINDOW;
  if (!visible) pos.flags &= ~SWP_HIDEWINDOW;
  if (pos.cx < 0) pos.cx = 0;
  if (pos.cy < 0) pos.cy = 0;
  if (window->rect.left == pos.x && window->rect.top == pos.y) pos.flags |= SWP_NOMOVE;
  if (window->rect.right - window->rect.left == pos.cx &&
      window->rect.bottom - window->rect.top == pos.cy) {
    pos.flags |= SWP_NOSIZE;
  }

  RECT oldClient = ClientRectInWindow(window);
  POINT oldOrigin = {window->rect.left + oldClient.left, window->rect.top + oldClient.top};
  if (!(pos.flags & SWP_NOMOVE)) {
    int width = window->rect.right - window->rect.left,
        height = window->rect.bottom - window->rect.top;
    window->rect = {pos.x, pos.y, pos.x + width, pos.y + height};
  }
  if (!(pos.flags & SWP_NOSIZE)) {
    window->rect.right = window->rect.left + pos.cx;
    window->rect.bottom = window->rect.top + pos.cy;
  }
  if (pos.flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
  if (pos.flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
  if (!(pos.flags & SWP_NOZORDER) && !window->parent) {
    std::vector<HWND> &list = TheDesk().topLevel;
    for (size_t i = 0; i < list.size(); i++) {
      if (list[i] == hwnd) {
        list.erase(list.begin() + i);
        break;
      }
    }
    list.insert(list.begin(), hwnd);
  }
  RECT newClient = ClientRectInWindow(window);
  POINT newOrigin = {window->rect.left + newClient.left, window->rect.top + newClient.top};
  if (oldOrigin.x == newOrigin.x && oldOrigin.y == newOrigin.y) pos.flags |= SwpNoClientMove;
  // A minimise or restore always reports the size, even when it did not change.
  if (!(flags & SwpStateChanged) &&
      oldClient.right - oldClient.left == newClient.right - newClient.left &&
      oldClient.bottom - oldClient.top == newClient.bottom - newClient.top) {
    pos.flags |= SwpNoClientSize;
  }

  if (!(pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && !(window->style & WS_CHILD))
    Activate(hwnd, true);
  if (!Find(hwnd)) return TRUE;
  Send(hwnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&pos);
  return TRUE;
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

int WINAPI GetSystemMetrics(int nIndex) {
  Entry entry("GetSystemMetrics", nullptr, {nIndex});
  return Metric(nIndex);
}

LONG WINAPI GetDialogBaseUnits(void) {
  Entry entry("GetDialogBaseUnits");
  return MAKELONG(TheDesk().fontUnitX, TheDesk().fontUnitY);
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Entry entry("GetWindowRect", hWnd);
  Window *window = Find(hWnd);
  if (!window || !lpRect) return FALSE;
  *lpRect = ScreenRect(window);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Entry entry("GetClientRect", hWnd);
  Window *window = Find(hWnd);
  if (!window || !lpRect) return FALSE;
  RECT client = ClientRectInWindow(window);
  *lpRect = {0, 0, client.right - client.left, client.bottom - client.top};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Entry entry("ClientToScreen", hWnd, {lpPoint ? lpPoint->x : 0, lpPoint ? lpPoint->y : 0});
  Window *window = Find(hWnd);
  if (!window || !lpPoint) return FALSE;
  POINT origin = ClientOrigin(window);
  lpPoint->x += origin.x;
  lpPoint->y += origin.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Entry entry("ScreenToClient", hWnd, {lpPoint ? lpPoint->x : 0, lpPoint ? lpPoint->y : 0});
  Window *window = Find(hWnd);
  if (!window || !lpPoint) return FALSE;
  POINT origin = ClientOrigin(window);
  lpPoint->x -= origin.x;
  lpPoint->y -= origin.y;
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  Entry entry("MoveWindow", hWnd, {X, Y, nWidth, nHeight, bRepaint});
  return SetPosition(hWnd, HWND_TOP, X, Y, nWidth, nHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hWnd) {
  Entry entry("BringWindowToTop", hWnd);
  return SetPosition(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  // Nothing is ever invalid in winsim (it paints nothing), so there is nothing to update.
  Entry entry("UpdateWindow", hWnd);
  return Find(hWnd) != nullptr;
}
