// The LISTBOX class, following Wine's listbox.c: LBS_SORT inserts each string where Wine's
// binary search puts it (comparing without regard to case, as lstrcmpiA does), LBS_MULTIPLESEL
// toggles an item per click or space bar, LBS_NOTIFY tells the parent LBN_SELCHANGE on the mouse
// release and on caret moves, and the items keep an integral height with a scroll bar that shows
// only when they do not fit.
#include "user32_internal.h"

#include <cctype>
#include <cstring>

namespace winsim::user32::internal {

namespace {

struct Item {
  std::string text;
  bool selected = false;
};

struct ListBoxState : ControlState {
  DWORD style = 0;  // the style it was created with (WS_VSCROLL comes and goes on the window)
  std::vector<Item> items;
  int selected = -1;  // single selection
  int focus = 0;      // the caret
  int anchor = -1;
  int top = 0;
  int itemHeight = 16;
  int pageSize = 1;
  bool captured = false;
  bool inFocus = false;
};

ListBoxState *State(HWND hwnd) {
  return static_cast<ListBoxState *>(Find(hwnd)->control.get());
}

bool MultipleSelection(const ListBoxState *state) {
  return (state->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) && !(state->style & LBS_NOSEL);
}

bool IsSelected(const ListBoxState *state, int index) {
  if (!(state->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) return index == state->selected;
  return state->items[index].selected;
}

void Notify(HWND hwnd, WORD code) {
  Window *window = Find(hwnd);
  Send(window->parent, WM_COMMAND, MAKEWPARAM(window->id, code), (LPARAM)hwnd);
}

int ClientHeight(HWND hwnd) {
  RECT client = ClientRectInWindow(Find(hwnd));
  return client.bottom - client.top;
}

// Shows the vertical scroll bar exactly when the items do not fit on one page.
void UpdateScrollBar(HWND hwnd) {
  ListBoxState *state = State(hwnd);
  if (!(state->style & WS_VSCROLL)) return;
  Window *window = Find(hwnd);
  bool needed = (int)state->items.size() > state->pageSize;
  if (needed == ((window->style & WS_VSCROLL) != 0)) return;
  if (needed) {
    window->style |= WS_VSCROLL;
  } else {
    window->style &= ~WS_VSCROLL;
  }
}

void SetTop(HWND hwnd, int index) {
  ListBoxState *state = State(hwnd);
  int max = (int)state->items.size() - state->pageSize;
  if (max < 0) max = 0;
  if (index > max) index = max;
  if (index < 0) index = 0;
  state->top = index;
}

void MakeVisible(HWND hwnd, int index, bool fully) {
  ListBoxState *state = State(hwnd);
  if (index <= state->top) {
    SetTop(hwnd, index);
    return;
  }
  if (index < state->top + state->pageSize) return;
  if (!fully && index == state->top + state->pageSize &&
      ClientHeight(hwnd) > state->pageSize * state->itemHeight) {
    return;
  }
  SetTop(hwnd, index - state->pageSize + 1);
}

// Windows keeps a list box's height a whole number of items unless LBS_NOINTEGRALHEIGHT.
void UpdateSize(HWND hwnd) {
  ListBoxState *state = State(hwnd);
  int height = ClientHeight(hwnd);
  if (!(state->style & LBS_NOINTEGRALHEIGHT)) {
    int remaining = height % state->itemHeight;
    if (height > state->itemHeight && remaining) {
      Window *window = Find(hwnd);
      SetPosition(hwnd, HWND_TOP, 0, 0, window->rect.right - window->rect.left,
                  window->rect.bottom - window->rect.top - remaining,
                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
      return;
    }
  }
  state->pageSize = height / state->itemHeight < 1 ? 1 : height / state->itemHeight;
  SetTop(hwnd, state->top);
  UpdateScrollBar(hwnd);
}

LRESULT SelectRange(HWND hwnd, int first, int last, bool on) {
  ListBoxState *state = State(hwnd);
  if (state->style & LBS_NOSEL) return LB_ERR;
  if (!(state->style & LBS_MULTIPLESEL)) return LB_ERR;
  int count = (int)state->items.size();
  if (!count) return LB_OKAY;
  if (last == -1 || last >= count) last = count - 1;
  if (first < 0) first = 0;
  for (int i = first; i <= last; i++) state->items[i].selected = on;
  return LB_OKAY;
}

LRESULT SetSelection(HWND hwnd, int index, bool on, bool notify) {
  ListBoxState *state = State(hwnd);
  if (state->style & LBS_NOSEL) {
    state->selected = index;
    return LB_ERR;
  }
  if (index < -1 || index >= (int)state->items.size()) return LB_ERR;
  if (state->style & LBS_MULTIPLESEL) {
    return index == -1 ? SelectRange(hwnd, 0, (int)state->items.size(), on)
                       : SelectRange(hwnd, index, index, on);
  }
  if (index == state->selected) return LB_OKAY;
  state->selected = index;
  if (notify && !state->items.empty()) Notify(hwnd, index != -1 ? LBN_SELCHANGE : LBN_SELCANCEL);
  return LB_OKAY;
}

void MoveCaret(HWND hwnd, int index, bool fullyVisible) {
  ListBoxState *state = State(hwnd);
  if (index < 0 || index >= (int)state->items.size()) return;
  if (!(state->style & LBS_MULTIPLESEL)) SetSelection(hwnd, index, true, false);
  State(hwnd)->focus = index;
  MakeVisible(hwnd, index, fullyVisible);
}

// Wine's LISTBOX_FindStringPos: the index before which the string goes.
int SortedPosition(HWND hwnd, const char *text) {
  ListBoxState *state = State(hwnd);
  if (state->items.empty() || !(state->style & LBS_SORT)) return -1;
  int min = 0, max = (int)state->items.size() - 1;
  while (min <= max) {
    int index = (min + max) / 2;
    int result = lstrcmpiA(state->items[index].text.c_str(), text);
    if (!result) return index;
    if (result > 0) {
      max = index - 1;
    } else {
      min = index + 1;
    }
  }
  return min;
}

LRESULT InsertString(HWND hwnd, int index, const char *text) {
  ListBoxState *state = State(hwnd);
  int count = (int)state->items.size();
  if (index == -1) index = count;
  if (index < 0 || index > count) return LB_ERR;
  Item item;
  item.text = text ? text : "";
  state->items.insert(state->items.begin() + index, item);
  UpdateScrollBar(hwnd);
  if (state->items.size() == 1) {
    state->focus = 0;
  } else if (index <= state->selected) {
    state->selected++;
  }
  return index;
}

int ItemFromPoint(HWND hwnd, int y) {
  ListBoxState *state = State(hwnd);
  if (y < 0) return -1;
  int index = state->top + y / state->itemHeight;
  return index < (int)state->items.size() ? index : -1;
}

void ButtonDown(HWND hwnd, int y) {
  int index = ItemFromPoint(hwnd, y);
  if (!State(hwnd)->inFocus) SetFocusTo(hwnd);
  if (!Find(hwnd) || index == -1) return;
  ListBoxState *state = State(hwnd);
  state->captured = true;
  TheDesk().capture = hwnd;
  if (state->style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
    state->anchor = index;
    MoveCaret(hwnd, index, false);
    SetSelection(hwnd, index, !IsSelected(State(hwnd), index),
                 (State(hwnd)->style & LBS_NOTIFY) != 0);
  } else {
    state->anchor = index;
    MoveCaret(hwnd, index, false);
    SetSelection(hwnd, index, true, (State(hwnd)->style & LBS_NOTIFY) != 0);
  }
}

void ButtonUp(HWND hwnd) {
  ListBoxState *state = State(hwnd);
  if (!state->captured) return;
  state->captured = false;
  if (TheDesk().capture == hwnd) TheDesk().capture = nullptr;
  if ((state->style & LBS_NOTIFY) && !state->items.empty()) Notify(hwnd, LBN_SELCHANGE);
}

void KeyDown(HWND hwnd, WPARAM key) {
  ListBoxState *state = State(hwnd);
  int count = (int)state->items.size();
  int caret = -1;
  bool forceSelection = !(MultipleSelection(state) || state->selected == state->focus);
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      caret = state->focus - 1;
      if (caret < 0) caret = 0;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      caret = state->focus + 1;
      if (caret >= count) caret = count - 1;
      break;
    case VK_HOME:
      caret = 0;
      break;
    case VK_END:
      caret = count - 1;
      break;
    case VK_SPACE:
      // Toggles the item under the caret; Wine tells the parent nothing about it.
      if (state->style & LBS_MULTIPLESEL)
        SetSelection(hwnd, state->focus, !IsSelected(state, state->focus), false);
      break;
    default:
      forceSelection = false;
  }
  if (forceSelection) caret = state->focus;
  if (caret < 0) return;
  if (!MultipleSelection(state)) state->anchor = caret;
  MoveCaret(hwnd, caret, true);
  state = State(hwnd);
  if (state->style & LBS_MULTIPLESEL) {
    state->selected = caret;
  } else {
    SetSelection(hwnd, caret, true, false);
  }
  if ((State(hwnd)->style & LBS_NOTIFY) && count) Notify(hwnd, LBN_SELCHANGE);
}

// A typed character moves the caret to the next item that begins with it.
void Character(HWND hwnd, WPARAM character) {
  ListBoxState *state = State(hwnd);
  int count = (int)state->items.size();
  if (!count) return;
  int start = state->focus + 1 >= count ? 0 : state->focus + 1;
  for (int k = 0; k < count; k++) {
    int index = (start + k) % count;
    const std::string &text = state->items[index].text;
    if (!text.empty() && std::tolower((unsigned char)text[0]) == std::tolower((int)character)) {
      if (!MultipleSelection(state) && state->selected == -1)
        SetSelection(hwnd, index, true, false);
      MoveCaret(hwnd, index, true);
      if (State(hwnd)->style & LBS_NOTIFY) Notify(hwnd, LBN_SELCHANGE);
      return;
    }
  }
}

LRESULT ItemRect(HWND hwnd, int index, RECT *rect) {
  ListBoxState *state = State(hwnd);
  if ((index < 0 || index >= (int)state->items.size()) && (index != 0 || !state->items.empty()))
    return LB_ERR;
  RECT client = ClientRectInWindow(Find(hwnd));
  int width = client.right - client.left, height = client.bottom - client.top;
  rect->left = 0;
  rect->right = width;
  rect->top = (index - state->top) * state->itemHeight;
  rect->bottom = rect->top + state->itemHeight;
  return rect->left < width && rect->right > 0 && rect->top < height && rect->bottom > 0;
}

}  // namespace

bool ListItemPoint(HWND listBox, int index, POINT *point) {
  Window *window = Find(listBox);
  if (!window || window->windowClass->kind != Kind::ListBox || !window->control) return false;
  ListBoxState *state = State(listBox);
  if (index < 0 || index >= (int)state->items.size()) return false;
  if (index < state->top || index >= state->top + state->pageSize) SetTop(listBox, index);
  point->x = 2;
  point->y = (index - state->top) * state->itemHeight + state->itemHeight / 2;
  return true;
}

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = Find(hwnd);
  if (!window->control) {
    if (message != WM_CREATE) return DefaultProcedure(hwnd, message, wParam, lParam);
    auto state = std::make_unique<ListBoxState>();
    state->style = window->style;
    if (state->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN |
                        LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | LBS_NODATA | LBS_USETABSTOPS)) {
      detail::Unsupported(
          "a list box style beyond LBS_NOTIFY, LBS_SORT, LBS_MULTIPLESEL, LBS_NOINTEGRALHEIGHT");
    }
    state->itemHeight = TheDesk().fontUnitY;
    window->control = std::move(state);
    return 0;
  }
  ListBoxState *state = State(hwnd);
  int count = (int)state->items.size();
  switch (message) {
    case LB_RESETCONTENT:
      state->items.clear();
      state->top = 0;
      state->selected = -1;
      state->focus = 0;
      state->anchor = -1;
      UpdateScrollBar(hwnd);
      return 0;
    case LB_ADDSTRING:
      return InsertString(hwnd, SortedPosition(hwnd, (const char *)lParam), (const char *)lParam);
    case LB_INSERTSTRING:
      return InsertString(hwnd, (int)wParam, (const char *)lParam);
    case LB_DELETESTRING: {
      int index = (int)wParam;
      if (index < 0 || index >= count) return LB_ERR;
      state->items.erase(state->items.begin() + index);
      if (!MultipleSelection(state)) {
        if (index == state->selected) {
          state->selected = -1;
        } else if (index < state->selected) {
          state->selected--;
        }
      }
      if (state->focus >= (int)state->items.size())
        state->focus = state->items.empty() ? 0 : (int)state->items.size() - 1;
      SetTop(hwnd, state->top);
      UpdateScrollBar(hwnd);
      return (LRESULT)state->items.size();
    }
    case LB_GETCOUNT:
      return count;
    case LB_GETTEXT: {
      int index = (int)wParam;
      if (index < 0 || index >= count) return LB_ERR;
      std::strcpy((char *)lParam, state->items[index].text.c_str());
      return (LRESULT)state->items[index].text.size();
    }
    case LB_GETTEXTLEN: {
      int index = (int)wParam;
      if (index < 0 || index >= count) return LB_ERR;
      return (LRESULT)state->items[index].text.size();
    }
    case LB_GETSEL: {
      int index = (int)wParam;
      if (index < 0 || index >= count) return LB_ERR;
      return IsSelected(state, index);
    }
    case LB_SETSEL: {
      LRESULT result = SetSelection(hwnd, (int)lParam, wParam != 0, false);
      if (result != LB_ERR && wParam) {
        State(hwnd)->anchor = (int)lParam;
        if ((int)lParam != -1 && (int)lParam < count) {
          State(hwnd)->focus = (int)lParam;
          MakeVisible(hwnd, (int)lParam, true);
        }
      }
      return result;
    }
    case LB_GETCURSEL:
      if (!count) return LB_ERR;
      if (!MultipleSelection(state)) return state->selected;
      return state->selected != -1 ? state->selected : state->focus;
    case LB_SETCURSEL: {
      if (MultipleSelection(state)) return LB_ERR;
      if ((int)wParam >= 0 && (int)wParam < count) {
        state->focus = (int)wParam;
        MakeVisible(hwnd, (int)wParam, true);
      }
      LRESULT result = SetSelection(hwnd, (int)wParam, true, false);
      return result == LB_ERR ? LB_ERR : State(hwnd)->selected;
    }
    case LB_GETSELCOUNT: {
      if (!(state->style & LBS_MULTIPLESEL) || (state->style & LBS_NOSEL)) return LB_ERR;
      int selected = 0;
      for (const Item &item : state->items) selected += item.selected ? 1 : 0;
      return selected;
    }
    case LB_GETSELITEMS: {
      if (!(state->style & LBS_MULTIPLESEL)) return LB_ERR;
      int found = 0;
      for (int i = 0; i < count && found < (int)wParam; i++) {
        if (state->items[i].selected) ((int *)lParam)[found++] = i;
      }
      return found;
    }
    case LB_SELITEMRANGE: {
      int first = LOWORD(lParam), last = HIWORD(lParam);
      return first <= last ? SelectRange(hwnd, first, last, wParam != 0)
                           : SelectRange(hwnd, last, first, wParam != 0);
    }
    case LB_GETCARETINDEX:
      return state->focus;
    case LB_SETCARETINDEX: {
      if (!MultipleSelection(state) && state->selected != -1) return LB_ERR;
      int index = (int)wParam;
      if ((state->style & LBS_NOSEL) || index < 0 || index >= count) return LB_ERR;
      state->focus = index;
      MakeVisible(hwnd, index, !lParam);
      return LB_OKAY;
    }
    case LB_GETTOPINDEX:
      return state->top;
    case LB_SETTOPINDEX:
      SetTop(hwnd, (int)wParam);
      return LB_OKAY;
    case LB_GETITEMHEIGHT:
      return state->itemHeight;
    case LB_GETITEMRECT:
      return ItemRect(hwnd, (int)wParam, (RECT *)lParam);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE:
      UpdateSize(hwnd);
      return 0;
    case WM_SETFOCUS:
      state->inFocus = true;
      Notify(hwnd, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      ButtonUp(hwnd);
      if (Find(hwnd)) {
        State(hwnd)->inFocus = false;
        Notify(hwnd, LBN_KILLFOCUS);
      }
      return 0;
    case WM_LBUTTONDOWN:
      ButtonDown(hwnd, (short)HIWORD(lParam));
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(hwnd);
      return 0;
    case WM_KEYDOWN:
      KeyDown(hwnd, wParam);
      return 0;
    case WM_CHAR:
      Character(hwnd, wParam);
      return 0;
    case WM_SETREDRAW:
      return 0;  // nothing is drawn here, with redrawing on or off
  }
  if (message >= LB_ADDSTRING && message < 0x01B0) detail::Unsupported("this list box message");
  return DefaultProcedure(hwnd, message, wParam, lParam);
}

}  // namespace winsim::user32::internal
