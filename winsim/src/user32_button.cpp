// The BUTTON class, as far as the program uses it: push buttons and the default push button,
// which tell their parent BN_CLICKED when released over themselves (mouse or space bar), and
// check boxes, of which BS_AUTOCHECKBOX toggles itself before telling.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

struct ButtonState : ControlState {
  UINT check = BST_UNCHECKED;
  bool pressed = false;    // held down (mouse button or space bar), not yet released
  bool highlight = false;  // BM_SETSTATE
};

ButtonState *State(HWND hwnd) {
  Window *window = Find(hwnd);
  if (!window->control) window->control = std::make_unique<ButtonState>();
  return static_cast<ButtonState *>(window->control.get());
}

DWORD Type(HWND hwnd) {
  return Find(hwnd)->style & BS_TYPEMASK;
}

void Press(HWND hwnd) {
  TheDesk().capture = hwnd;
  State(hwnd)->pressed = true;
  State(hwnd)->highlight = true;
}

// The release: a click when the pointer is still over the button (always for the space bar).
void Release(HWND hwnd, bool over) {
  ButtonState *state = State(hwnd);
  if (!state->pressed) return;
  state->pressed = false;
  state->highlight = false;
  if (TheDesk().capture == hwnd) TheDesk().capture = nullptr;
  if (!over) return;
  if (Type(hwnd) == BS_AUTOCHECKBOX)
    state->check = state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  Window *window = Find(hwnd);
  Send(window->parent, WM_COMMAND, MAKEWPARAM(window->id, BN_CLICKED), (LPARAM)hwnd);
}

}  // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      DWORD type = Type(hwnd);
      if (type > BS_AUTOCHECKBOX)
        detail::Unsupported("a button style other than push button and check box");
      State(hwnd);
      return 0;
    }
    case WM_GETDLGCODE:
      switch (Type(hwnd)) {
        case BS_PUSHBUTTON:
          return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
          return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      }
      return DLGC_BUTTON;
    case WM_LBUTTONDOWN:
      Press(hwnd);
      SetFocusTo(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      RECT client;
      GetClientRect(hwnd, &client);
      int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
      Release(hwnd, x >= client.left && x < client.right && y >= client.top && y < client.bottom);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) Press(hwnd);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) Release(hwnd, true);
      return 0;
    case WM_KILLFOCUS:
      // Losing the focus while held down cancels the press.
      if (State(hwnd)->pressed) Release(hwnd, false);
      return 0;
    case BM_CLICK:
      Send(hwnd, WM_LBUTTONDOWN, 0, 0);
      Send(hwnd, WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_GETCHECK:
      return State(hwnd)->check;
    case BM_SETCHECK:
      if (Type(hwnd) == BS_CHECKBOX || Type(hwnd) == BS_AUTOCHECKBOX)
        State(hwnd)->check = (UINT)wParam & 3;
      return 0;
    case BM_GETSTATE:
      return State(hwnd)->check | (State(hwnd)->highlight ? BST_PUSHED : 0) |
             (TheDesk().focus == hwnd ? BST_FOCUS : 0);
    case BM_SETSTATE:
      State(hwnd)->highlight = wParam != 0;
      return 0;
    case BM_SETSTYLE: {
      Window *window = Find(hwnd);
      window->style = (window->style & ~(DWORD)0xFFFF) | (DWORD)(wParam & 0xFFFF);
      return 0;
    }
  }
  return DefaultProcedure(hwnd, message, wParam, lParam);
}

}  // namespace winsim::user32::internal
