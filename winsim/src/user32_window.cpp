// Window classes and the life of a window: RegisterClassA, CreateWindowExA with WM_NCCREATE and
// WM_CREATE before it returns, and DestroyWindow, which destroys owned windows first.
#include "user32_internal.h"

#include <cstring>

namespace winsim::user32::internal {

namespace {

// Handles are never reused, not even across resets, so a stale handle never names a new window.
uintptr_t nextHandle = 0x10020;
ATOM nextAtom = 0xC000;

WindowClass *AddClass(const char *name, ATOM atom, Kind kind, WNDPROC proc) {
  auto windowClass = std::make_unique<WindowClass>();
  windowClass->name = name;
  windowClass->atom = atom;
  windowClass->kind = kind;
  windowClass->proc = proc;
  WindowClass *result = windowClass.get();
  TheDesk().classes.push_back(std::move(windowClass));
  return result;
}

void Unlink(Window *window) {
  Desk &d = TheDesk();
  std::vector<HWND> &list = window->parent ? Find(window->parent)->children : d.topLevel;
  for (size_t i = 0; i < list.size(); i++) {
    if (list[i] == window->handle) {
      list.erase(list.begin() + i);
      break;
    }
  }
}

// Windows' WM_DESTROY: to the window, then to its children, top down.
void SendDestroyMessage(HWND hwnd) {
  Desk &d = TheDesk();
  if (hwnd == d.active) ActivateOtherWindow(hwnd);
  if (hwnd == d.capture) d.capture = nullptr;
  Send(hwnd, WM_DESTROY, 0, 0);
  Window *window = Find(hwnd);
  if (!window) return;
  std::vector<HWND> children = window->children;
  for (HWND child : children) {
    if (Find(child)) SendDestroyMessage(child);
  }
}

// Frees a window and its children, children first, each after its WM_NCDESTROY.
void FreeWindow(HWND hwnd) {
  Window *window = Find(hwnd);
  if (!window) return;
  std::vector<HWND> children = window->children;
  for (HWND child : children) FreeWindow(child);
  window = Find(hwnd);
  if (!window) return;
  Desk &d = TheDesk();
  if (d.focus == hwnd) d.focus = nullptr;
  if (d.active == hwnd) d.active = nullptr;
  if (d.capture == hwnd) d.capture = nullptr;
  Send(hwnd, WM_NCDESTROY, 0, 0);
  window = Find(hwnd);
  if (!window) return;
  Unlink(window);
  for (size_t i = 0; i < d.queue.size();) {
    if (d.queue[i].hwnd == hwnd) {
      d.queue.erase(d.queue.begin() + i);
    } else {
      i++;
    }
  }
  Bury(hwnd);
}

}  // namespace

void RegisterBuiltinClasses() {
  AddClass("#32770", 32770, Kind::Dialog, &DialogWindowProc);
  AddClass("Button", 0xC001, Kind::Button, &ButtonProc);
  AddClass("Static", 0xC002, Kind::Static, &StaticProc);
  AddClass("ListBox", 0xC003, Kind::ListBox, &ListBoxProc);
}

const WindowClass *LookupClass(LPCSTR name) {
  for (const auto &windowClass : TheDesk().classes) {
    if (IS_INTRESOURCE(name)) {
      if (windowClass->atom == (ATOM)(uintptr_t)name) return windowClass.get();
    } else if (SameTextIgnoringCase(windowClass->name, name)) {
      return windowClass.get();
    }
  }
  return nullptr;
}

const WindowClass *BuiltinClass(Kind kind) {
  for (const auto &windowClass : TheDesk().classes) {
    if (windowClass->kind == kind) return windowClass.get();
  }
  return nullptr;
}

HWND TopLevelOf(HWND hwnd) {
  Window *window = Find(hwnd);
  while (window && window->parent) window = Find(window->parent);
  return window ? window->handle : nullptr;
}

bool IsDescendant(HWND parent, HWND child) {
  Window *window = Find(child);
  while (window && window->parent) {
    if (window->parent == parent) return true;
    window = Find(window->parent);
  }
  return false;
}

HWND Create(DWORD exStyle, const WindowClass *windowClass, LPCSTR name, DWORD style, int x, int y,
            int cx, int cy, HWND parentOrOwner, int id, HINSTANCE instance, LPVOID param) {
  Desk &d = TheDesk();
  bool child = (style & WS_CHILD) != 0;
  if (child && !Find(parentOrOwner)) return nullptr;
  if (parentOrOwner && !Find(parentOrOwner)) return nullptr;
  if (!child && !(style & WS_POPUP) && (x == CW_USEDEFAULT || cx == CW_USEDEFAULT)) {
    detail::Unsupported("CreateWindowExA: CW_USEDEFAULT for an overlapped window");
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (cx == CW_USEDEFAULT) cx = cy = 0;

  // The styles that Windows adds: top-level windows clip their siblings, an overlapped window has
  // a caption, and a dialog frame or thick frame gets a raised window edge.
  if (!child) {
    style |= WS_CLIPSIBLINGS;
    if (!(style & WS_POPUP)) style |= WS_CAPTION;
  }
  if ((exStyle & WS_EX_DLGMODALFRAME) ||
      (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME)))) {
    exStyle |= WS_EX_WINDOWEDGE;
  } else {
    exStyle &= ~WS_EX_WINDOWEDGE;
  }

  auto window = std::make_unique<Window>();
  HWND hwnd = (HWND)nextHandle;
  nextHandle += 4;
  window->handle = hwnd;
  window->windowClass = windowClass;
  window->proc = windowClass->proc;
  window->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  window->exStyle = exStyle;
  window->parent = child ? parentOrOwner : nullptr;
  window->owner = child ? nullptr : TopLevelOf(parentOrOwner);
  window->id = child ? id : 0;
  window->instance = instance;
  window->rect = {x, y, x + cx, y + cy};
  window->normalRect = window->rect;
  window->lastActive = hwnd;
  d.windows[hwnd] = std::move(window);
  if (child) {
    Find(parentOrOwner)->children.push_back(hwnd);
  } else {
    d.topLevel.insert(d.topLevel.begin(), hwnd);
  }

  CREATESTRUCTA create = {};
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = (HMENU)(intptr_t)id;
  create.hwndParent = parentOrOwner;
  create.cy = cy;
  create.cx = cx;
  create.y = y;
  create.x = x;
  create.style = (LONG)style;
  create.lpszName = name;
  create.lpszClass = windowClass->name.c_str();
  create.dwExStyle = exStyle;
  if (!Send(hwnd, WM_NCCREATE, 0, (LPARAM)&create)) {
    if (Find(hwnd)) FreeWindow(hwnd);
    return nullptr;
  }
  if (!Find(hwnd)) return nullptr;
  if (Send(hwnd, WM_CREATE, 0, (LPARAM)&create) == -1) {
    // Refused: freed at once, with WM_NCDESTROY but no WM_DESTROY (as Wine does).
    if (Find(hwnd)) FreeWindow(hwnd);
    return nullptr;
  }
  Window *created = Find(hwnd);
  if (!created) return nullptr;
  RECT client = ClientRectInWindow(created);
  Send(hwnd, WM_SIZE, SIZE_RESTORED,
       MAKELPARAM(client.right - client.left, client.bottom - client.top));
  created = Find(hwnd);
  if (!created) return nullptr;
  client = ClientRectInWindow(created);
  Send(hwnd, WM_MOVE, 0,
       MAKELPARAM(created->rect.left + client.left, created->rect.top + client.top));
  if (!Find(hwnd)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return Find(hwnd) ? hwnd : nullptr;
}

void DiscardAll() {
  Desk &d = TheDesk();
  d.windows.clear();
  d.topLevel.clear();
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;
using winsim::user32::Operation;

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
  Entry entry("RegisterClassA", nullptr, {},
              wc && !IS_INTRESOURCE(wc->lpszClassName) ? wc->lpszClassName : nullptr);
  if (entry.ShouldFail(Operation::RegisterClass)) return 0;
  if (!wc || !wc->lpfnWndProc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName)) return 0;
  if (wc->cbClsExtra || wc->cbWndExtra) winsim::detail::Unsupported("RegisterClassA: extra bytes");
  if (LookupClass(wc->lpszClassName)) return 0;  // ERROR_CLASS_ALREADY_EXISTS
  WindowClass *windowClass =
      AddClass(wc->lpszClassName, nextAtom++, Kind::Program, wc->lpfnWndProc);
  windowClass->icon = wc->hIcon;
  windowClass->cursor = wc->hCursor;
  windowClass->background = wc->hbrBackground;
  windowClass->instance = wc->hInstance;
  return windowClass->atom;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
  Entry entry("CreateWindowExA", hWndParent,
              {(intptr_t)dwExStyle, (intptr_t)dwStyle, X, Y, nWidth, nHeight, (intptr_t)hMenu},
              IS_INTRESOURCE(lpClassName) ? nullptr : lpClassName);
  if (entry.ShouldFail(Operation::CreateWindow)) return nullptr;
  const WindowClass *windowClass = LookupClass(lpClassName);
  if (!windowClass) return nullptr;  // ERROR_CANNOT_FIND_WND_CLASS
  return Create(dwExStyle, windowClass, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent,
                (int)(intptr_t)hMenu, hInstance, lpParam);
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  Entry entry("DestroyWindow", hWnd);
  Window *window = Find(hWnd);
  if (!window) return FALSE;
  if (window->destroying) return TRUE;
  window->destroying = true;
  bool child = (window->style & WS_CHILD) != 0;
  if (window->style & WS_VISIBLE) {
    // Only child windows get WM_SHOWWINDOW here; a top-level window is hidden without it.
    if (child) {
      ShowWindow(hWnd, SW_HIDE);
    } else {
      SetPosition(hWnd, nullptr, 0, 0, 0, 0,
                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
  }
  if (!Find(hWnd)) return TRUE;
  if (!child) {
    for (bool found = true; found;) {
      found = false;
      std::vector<HWND> topLevel = TheDesk().topLevel;
      for (HWND other : topLevel) {
        Window *owned = Find(other);
        if (owned && owned->owner == hWnd && !owned->destroying) {
          DestroyWindow(other);
          found = true;
        }
      }
    }
  }
  SendDestroyMessage(hWnd);
  if (!Find(hWnd)) return TRUE;
  FreeWindow(hWnd);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
  Entry entry("IsWindow", hWnd);
  return Find(hWnd) != nullptr;
}
