// The STATIC class, as far as the program uses it: left, centred and right-aligned text, the
// black rectangle and frame, and the icon control, which loads the icon its text names and
// takes the icon's size, as Windows' static control does.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

struct StaticState : ControlState {
  HICON icon = nullptr;
};

StaticState *State(HWND hwnd) {
  Window *window = Find(hwnd);
  if (!window->control) window->control = std::make_unique<StaticState>();
  return static_cast<StaticState *>(window->control.get());
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      Window *window = Find(hwnd);
      DWORD type = window->style & 0x1F;
      if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_ICON &&
          type != SS_BLACKRECT && type != SS_BLACKFRAME) {
        detail::Unsupported(
            "a static control style other than text, icon, black rectangle and frame");
      }
      if (type == SS_ICON) {
        const CREATESTRUCTA *create = (const CREATESTRUCTA *)lParam;
        State(hwnd)->icon = LoadIconA(window->instance, create->lpszName);
        if (State(hwnd)->icon) {
          window->rect.right = window->rect.left + Metric(SM_CXICON);
          window->rect.bottom = window->rect.top + Metric(SM_CYICON);
        }
      }
      return 0;
    }
    case WM_NCCREATE: {
      LRESULT result = DefaultProcedure(hwnd, message, wParam, lParam);
      // The icon control's text names the icon; Windows keeps no window text for it.
      if ((Find(hwnd)->style & 0x1F) == SS_ICON) Find(hwnd)->text.clear();
      return result;
    }
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_GETICON:
      return (LRESULT)State(hwnd)->icon;
    case STM_SETICON: {
      HICON old = State(hwnd)->icon;
      State(hwnd)->icon = (HICON)wParam;
      return (LRESULT)old;
    }
  }
  return DefaultProcedure(hwnd, message, wParam, lParam);
}

}  // namespace winsim::user32::internal
