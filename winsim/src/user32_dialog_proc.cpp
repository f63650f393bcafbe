// The dialog class's window procedure (Windows' DefDlgProc): it calls the dialog procedure first
// and handles what that leaves: the focus kept across deactivation, the default push button,
// WM_NEXTDLGCTL, and WM_CLOSE turned into IDCANCEL. Also the dialog item helpers built on it.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

DialogInfo *Info(HWND dialog) {
  Window *window = Find(dialog);
  return window ? window->dialog.get() : nullptr;
}

UINT DialogCode(HWND control) {
  return (UINT)Send(control, WM_GETDLGCODE, 0, 0);
}

// Windows asks the control for its dialog code first (an edit control would select its text).
void SetControlFocus(HWND control) {
  DialogCode(control);
  if (Find(control)) SetFocusTo(control);
}

void SaveFocus(HWND dialog) {
  HWND focus = TheDesk().focus;
  if (!focus || !IsDescendant(dialog, focus)) return;
  Info(dialog)->focus = focus;
}

void RestoreFocus(HWND dialog, bool justActivated) {
  Window *window = Find(dialog);
  if (window->style & WS_MINIMIZE) return;
  DialogInfo *info = window->dialog.get();
  if (info->ended) return;  // no focus back to the controls once EndDialog was called
  if (!Find(info->focus) || info->focus == dialog) {
    if (justActivated) return;
    info->focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (!info->focus) info->focus = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (!Find(info->focus)) return;
  }
  HWND focus = info->focus;
  info->focus = nullptr;
  if (justActivated) {
    SetFocusTo(focus);
  } else {
    SetControlFocus(focus);
  }
}

HWND FindDefaultButton(HWND dialog) {
  std::vector<HWND> children = Find(dialog)->children;
  for (HWND child : children) {
    if (Find(child) && (DialogCode(child) & DLGC_DEFPUSHBUTTON)) return child;
  }
  return nullptr;
}

void SetDefaultId(HWND dialog, DialogInfo *info, WPARAM id) {
  HWND newButton = GetDlgItem(dialog, (int)id);
  INT_PTR oldId = info->result;
  info->result = (INT_PTR)id;
  UINT code = 0;
  if (newButton && !((code = DialogCode(newButton)) & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON))) return;
  HWND oldButton = GetDlgItem(dialog, (int)oldId);
  if (!oldButton || !(DialogCode(oldButton) & DLGC_DEFPUSHBUTTON))
    oldButton = FindDefaultButton(dialog);
  if (oldButton && oldButton != newButton) Send(oldButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (newButton && (code & DLGC_UNDEFPUSHBUTTON))
    Send(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// The button with the focus shows as the default one; the dialog's own default comes back when
// the focus goes to a control that is not a push button.
void SetDefaultButton(HWND dialog, DialogInfo *info, HWND newButton) {
  HWND oldButton = GetDlgItem(dialog, (int)info->result);
  UINT code = 0;
  if (newButton &&
      !((code = DialogCode(newButton)) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
    newButton = oldButton;
    code = newButton ? DialogCode(newButton) : 0;
  }
  if (!oldButton || !(DialogCode(oldButton) & DLGC_DEFPUSHBUTTON))
    oldButton = FindDefaultButton(dialog);
  if (oldButton && oldButton != newButton) Send(oldButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (newButton && (code & DLGC_UNDEFPUSHBUTTON))
    Send(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogInfo *info = Info(dialog);
  switch (message) {
    case WM_SHOWWINDOW:
      if (!wParam) SaveFocus(dialog);
      return DefaultProcedure(dialog, message, wParam, lParam);
    case WM_ACTIVATE:
      if (wParam) {
        RestoreFocus(dialog, true);
      } else {
        SaveFocus(dialog);
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(dialog, false);
      return 0;
    case DM_SETDEFID:
      if (!info->ended) SetDefaultId(dialog, info, wParam);
      return 1;
    case DM_GETDEFID:
      if (!info->ended) {
        if (info->result) return MAKELONG(info->result, DC_HASDEFID);
        HWND button = FindDefaultButton(dialog);
        if (button) return MAKELONG(Find(button)->id, DC_HASDEFID);
      }
      return 0;
    case WM_NEXTDLGCTL: {
      HWND destination = (HWND)wParam;
      if (!lParam) destination = GetNextDlgTabItem(dialog, TheDesk().focus, (BOOL)wParam);
      if (destination) SetControlFocus(destination);
      if (Find(dialog)) SetDefaultButton(dialog, info, destination);
      return 0;
    }
    case WM_CLOSE:
      Post(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
           (LPARAM)GetDlgItem(dialog, IDCANCEL));
      return 0;
  }
  return DefaultProcedure(dialog, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = Find(hwnd);
  if (!window->dialog) window->dialog = std::make_unique<DialogInfo>();
  DialogInfo *info = window->dialog.get();
  INT_PTR result = 0;
  if (info->proc) {
    DLGPROC proc = info->proc;
    CallOutside([&] { result = proc(hwnd, message, wParam, lParam); });
  } else if (info->internalProc) {
    result = info->internalProc(hwnd, message, wParam, lParam);
  }
  if (!result && Find(hwnd)) {
    switch (message) {
      case WM_SHOWWINDOW:
      case WM_ACTIVATE:
      case WM_SETFOCUS:
      case DM_SETDEFID:
      case DM_GETDEFID:
      case WM_NEXTDLGCTL:
      case WM_CLOSE:
        return DefaultDialogHandling(hwnd, message, wParam, lParam);
      case WM_INITDIALOG:
        break;
      default:
        return DefaultProcedure(hwnd, message, wParam, lParam);
    }
  }
  // What the dialog procedure returns for WM_INITDIALOG counts; for other messages a handled one
  // answers with DWLP_MSGRESULT, which winsim leaves at 0.
  return message == WM_INITDIALOG ? result : 0;
}

// Wine's GetNextDlgTabItem for a dialog without nested control parents: the next (or previous)
// visible, enabled WS_TABSTOP control after ctrl, wrapping around; ctrl itself when it is the only
// one.
HWND NextTabItem(HWND dialog, HWND control, bool previous) {
  Window *window = Find(dialog);
  if (!window || window->children.empty()) return nullptr;
  const std::vector<HWND> &children = window->children;
  auto usable = [](HWND hwnd) {
    DWORD style = Find(hwnd)->style;
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
  };
  int count = (int)children.size();
  int start = -1;
  for (int i = 0; i < count; i++) {
    if (children[i] == control) start = i;
  }
  if (control && start < 0) return nullptr;
  if (!control) {
    for (int k = 0; k < count; k++) {
      int i = previous ? count - 1 - k : k;
      if (usable(children[i])) return children[i];
    }
    return nullptr;
  }
  for (int k = 1; k <= count; k++) {
    int i = previous ? (start - k + count) % count : (start + k) % count;
    if (usable(children[i])) return children[i];
  }
  return control;
}

// Wine's GetNextDlgGroupItem for flat dialogs: within the WS_GROUP group of ctrl, the next (or
// previous) visible, enabled control, wrapping inside the group.
HWND NextGroupItem(HWND dialog, HWND control, bool previous) {
  Window *window = Find(dialog);
  if (control == dialog) control = nullptr;
  if (!window || (!control && previous)) return nullptr;
  const std::vector<HWND> &children = window->children;
  if (children.empty()) return nullptr;
  auto styleOf = [](HWND hwnd) { return Find(hwnd)->style; };
  if (control) {
    if (!IsDescendant(dialog, control)) return nullptr;
  } else {
    control = children.front();
    if ((styleOf(control) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) return control;
  }
  int count = (int)children.size();
  int start = 0;
  while (start < count && children[start] != control) start++;
  // The group starts at the nearest WS_GROUP control at or before ctrl and ends before the next.
  int first = start;
  while (first > 0 && !(styleOf(children[first]) & WS_GROUP)) first--;
  int last = start + 1;
  while (last < count && !(styleOf(children[last]) & WS_GROUP)) last++;
  int size = last - first;
  HWND result = control;
  for (int k = 1; k < size; k++) {
    int i = first + ((start - first) + (previous ? size - k : k)) % size;
    if ((styleOf(children[i]) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
      result = children[i];
      break;
    }
  }
  return result;
}

int Scale(int value, int numerator, int denominator) {
  long long product = (long long)value * numerator;
  long long half = denominator / 2;
  if ((product < 0) != (denominator < 0)) return (int)((product - half) / denominator);
  return (int)((product + half) / denominator);
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
  Entry entry("SendDlgItemMessageA", hDlg, {nIDDlgItem, (intptr_t)Msg, (intptr_t)wParam, lParam});
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? Send(control, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  Entry entry("SetDlgItemTextA", hDlg, {nIDDlgItem}, lpString);
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? (BOOL)Send(control, WM_SETTEXT, 0, (LPARAM)lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  Entry entry("GetDlgItemTextA", hDlg, {nIDDlgItem, cchMax});
  if (lpString && cchMax > 0) lpString[0] = 0;
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control ? (UINT)Send(control, WM_GETTEXT, cchMax, (LPARAM)lpString) : 0;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  Entry entry("CheckDlgButton", hDlg, {nIDButton, (intptr_t)uCheck});
  HWND control = GetDlgItem(hDlg, nIDButton);
  if (control) Send(control, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  Entry entry("IsDlgButtonChecked", hDlg, {nIDButton});
  HWND control = GetDlgItem(hDlg, nIDButton);
  return control ? (UINT)Send(control, BM_GETCHECK, 0, 0) : 0;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Entry entry("GetNextDlgTabItem", hDlg, {(intptr_t)hCtl, bPrevious});
  if (hDlg == hCtl) hCtl = nullptr;
  if (!hCtl && bPrevious) return nullptr;
  return NextTabItem(hDlg, hCtl, bPrevious != 0);
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Entry entry("GetNextDlgGroupItem", hDlg, {(intptr_t)hCtl, bPrevious});
  return NextGroupItem(hDlg, hCtl, bPrevious != 0);
}
