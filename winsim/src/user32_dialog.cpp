// Dialog boxes from DLGTEMPLATEs, as Wine's dialog.c builds and runs them: the size from the
// dialog base units, the owner disabled before a modal dialog exists, WM_INITDIALOG and the
// first focus, and the modal loop that shows the dialog when its queue first runs dry, re-posts
// a WM_QUIT and destroys the dialog only after EndDialog has enabled the owner again.
#include "user32_internal.h"

#include <cstring>

namespace winsim::user32::internal {

namespace {

const LPCSTR DialogType = MAKEINTRESOURCEA(5);  // RT_DIALOG

// Reads a template; offsets count from its start, which a .res keeps DWORD-aligned.
struct TemplateReader {
  const BYTE *bytes;
  size_t size;
  size_t at = 0;

  WORD Word() {
    if (at + 2 > size) detail::Unsupported("a truncated dialog template");
    WORD value = (WORD)(bytes[at] | bytes[at + 1] << 8);
    at += 2;
    return value;
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | (DWORD)Word() << 16;
  }
  short Short() { return (short)Word(); }
  // A string or, after 0xFFFF, an ordinal (returned as MAKEINTRESOURCE in `ordinal`).
  std::string StringOrOrdinal(WORD *ordinal) {
    *ordinal = 0;
    if (at + 2 <= size && bytes[at] == 0xFF && bytes[at + 1] == 0xFF) {
      at += 2;
      *ordinal = Word();
      return "";
    }
    std::string text;
    for (WORD c; (c = Word()) != 0;) text += c < 0x100 ? (char)c : '?';
    return text;
  }
  void Align() { at = (at + 3) & ~(size_t)3; }
};

struct Item {
  DWORD style, exStyle;
  short x, y, cx, cy;
  WORD id;
  const WindowClass *windowClass;
  std::string text;
};

const WindowClass *ControlClass(WORD ordinal, const std::string &name) {
  if (ordinal) {
    switch (ordinal) {
      case 0x80:
        return BuiltinClass(Kind::Button);
      case 0x82:
        return BuiltinClass(Kind::Static);
      case 0x83:
        return BuiltinClass(Kind::ListBox);
    }
    detail::Unsupported("a dialog control of a class other than BUTTON, STATIC, LISTBOX");
  }
  const WindowClass *windowClass = LookupClass(name.c_str());
  if (!windowClass) detail::Unsupported("a dialog control of an unknown class");
  return windowClass;
}

bool CreateControls(HWND dialog, TemplateReader &reader, int count, HINSTANCE instance) {
  DialogInfo *info = Find(dialog)->dialog.get();
  HWND defaultButton = nullptr;
  for (int i = 0; i < count; i++) {
    reader.Align();
    Item item;
    item.style = reader.Dword();
    item.exStyle = reader.Dword();
    item.x = reader.Short();
    item.y = reader.Short();
    item.cx = reader.Short();
    item.cy = reader.Short();
    item.id = reader.Word();
    WORD classOrdinal, textOrdinal;
    std::string className = reader.StringOrOrdinal(&classOrdinal);
    item.windowClass = ControlClass(classOrdinal, className);
    item.text = reader.StringOrOrdinal(&textOrdinal);
    if (textOrdinal) detail::Unsupported("a dialog control whose text is a resource ordinal");
    if (reader.Word() != 0) detail::Unsupported("a dialog control with creation data");

    DWORD style = (item.style & ~WS_POPUP) | WS_CHILD;
    DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    if (style & WS_BORDER) {
      style &= ~WS_BORDER;
      exStyle |= WS_EX_CLIENTEDGE;
    }
    HWND control =
        Create(exStyle, item.windowClass, item.text.c_str(), style, Scale(item.x, info->baseX, 4),
               Scale(item.y, info->baseY, 8), Scale(item.cx, info->baseX, 4),
               Scale(item.cy, info->baseY, 8), dialog, item.id, instance, nullptr);
    if (!Find(dialog)) return false;
    if (!control) return false;
    if (Send(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      // A later default push button takes over from an earlier one.
      if (defaultButton) Send(defaultButton, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
      defaultButton = control;
      info->result = item.id;
    }
  }
  return true;
}

HWND FirstFocus(HWND dialog) {
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  return focus ? focus : GetNextDlgGroupItem(dialog, nullptr, FALSE);
}

}  // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const BYTE *bytes, size_t size, HWND owner,
                              DLGPROC proc, LPARAM param, HWND *modalOwner,
                              InternalDialogProc internalProc) {
  Desk &d = TheDesk();
  TemplateReader reader{bytes, size};
  DWORD style = reader.Dword();
  if (HIWORD(style) == 0xFFFF && LOWORD(style) == 1) detail::Unsupported("DIALOGEX templates");
  DWORD exStyle = reader.Dword();
  int count = reader.Word();
  short x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
  WORD ordinal;
  std::string menu = reader.StringOrOrdinal(&ordinal);
  if (ordinal || !menu.empty()) detail::Unsupported("dialog templates with a menu");
  std::string className = reader.StringOrOrdinal(&ordinal);
  if (ordinal || !className.empty())
    detail::Unsupported("dialog templates with their own window class");
  std::string caption = reader.StringOrOrdinal(&ordinal);
  if (style & DS_SETFONT)
    detail::Unsupported("dialog templates with DS_SETFONT (winsim has the system font only)");

  int baseX = d.fontUnitX, baseY = d.fontUnitY;
  RECT rect = {0, 0, Scale(cx, baseX, 4), Scale(cy, baseY, 8)};
  if (style & DS_CONTROL) style &= ~(WS_CAPTION | WS_SYSMENU);
  style |= DS_3DLOOK;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if ((style & DS_CONTROL) || !(style & WS_CHILD)) exStyle |= WS_EX_CONTROLPARENT;
  AdjustRect(&rect, style, exStyle);
  POINT pos = {rect.left, rect.top};
  POINT extent = {rect.right - rect.left, rect.bottom - rect.top};
  if (x == (short)0x8000) {
    pos.x = pos.y = CW_USEDEFAULT;
  } else {
    if (style & (DS_CENTER | DS_CENTERMOUSE)) detail::Unsupported("DS_CENTER and DS_CENTERMOUSE");
    pos.x += Scale(x, baseX, 4);
    pos.y += Scale(y, baseY, 8);
    if (!(style & (WS_CHILD | DS_ABSALIGN)) && owner) {
      POINT origin = ClientOrigin(Find(owner));
      pos.x += origin.x;
      pos.y += origin.y;
    }
    if (!(style & WS_CHILD)) {
      // Keep it on the screen, as Wine fits a dialog into the work area.
      int dx = pos.x + extent.x + Metric(SM_CXDLGFRAME) - d.screenWidth;
      int dy = pos.y + extent.y + Metric(SM_CYDLGFRAME) - d.screenHeight;
      if (dx > 0) pos.x -= dx;
      if (dy > 0) pos.y -= dy;
      if (pos.x < 0) pos.x = 0;
      if (pos.y < 0) pos.y = 0;
    }
  }

  HWND disabledOwner = nullptr;
  if (modalOwner && owner) {
    while (Find(owner) && (Find(owner)->style & (WS_POPUP | WS_CHILD)) == WS_CHILD &&
           Find(owner)->parent) {
      owner = Find(owner)->parent;
    }
    *modalOwner = owner;
    if (!(Find(owner)->style & WS_DISABLED)) {
      disabledOwner = owner;
      EnableWindow(owner, FALSE);
    }
  }

  HWND dialog = Create(exStyle, BuiltinClass(Kind::Dialog), caption.c_str(), style & ~WS_VISIBLE,
                       pos.x, pos.y, extent.x, extent.y, owner, 0, instance, nullptr);
  if (!dialog) {
    if (disabledOwner) EnableWindow(disabledOwner, TRUE);
    return nullptr;
  }
  DialogInfo *info = Find(dialog)->dialog.get();
  info->baseX = baseX;
  info->baseY = baseY;
  info->proc = proc;
  info->internalProc = std::move(internalProc);

  if (CreateControls(dialog, reader, count, instance)) {
    if (proc || Find(dialog)->dialog->internalProc) {
      HWND focus = FirstFocus(dialog);
      if (Send(dialog, WM_INITDIALOG, (WPARAM)focus, param) && Find(dialog) &&
          (!(style & DS_CONTROL) || (style & WS_VISIBLE))) {
        // TRUE asks for the default focus: the first tab stop (WM_INITDIALOG may have changed
        // them).
        focus = FirstFocus(dialog);
        if (focus) {
          SetFocusTo(focus);
        } else if (!(style & WS_CHILD)) {
          SetFocusTo(dialog);
        }
      }
    }
    if (Find(dialog) && (style & WS_VISIBLE) && !(Find(dialog)->style & WS_VISIBLE)) {
      ShowWindowNow(dialog, SW_SHOWNORMAL);
    }
    return Find(dialog) ? dialog : nullptr;
  }
  if (disabledOwner) EnableWindow(disabledOwner, TRUE);
  if (Find(dialog)) DestroyWindow(dialog);
  return nullptr;
}

INT_PTR RunModalLoop(HWND dialog, const std::function<void()> &whenIdle) {
  Window *window = Find(dialog);
  if (!window || !window->dialog) return -1;
  bool firstEmpty = true;
  MSG msg;
  if (!window->dialog->ended) {
    for (;;) {
      if (!NextMessage(&msg, 0, 0, true, false, false)) {
        if (whenIdle) {
          whenIdle();
          if (!Find(dialog)) return 0;
          if (Find(dialog)->dialog->ended) break;
          continue;
        }
        if (firstEmpty) {
          // The dialog is shown when its queue first runs dry.
          ShowWindowNow(dialog, SW_SHOWNORMAL);
          firstEmpty = false;
        }
        NextMessage(&msg, 0, 0, true, true, true);
      }
      if (msg.message == WM_QUIT) {
        // Someone else's loop must see it too: post it again and leave.
        PostQuitMessage((int)msg.wParam);
        if (!Find(dialog)) return 0;
        break;
      }
      if (!Find(dialog)) return 0;
      if (!Find(dialog)->dialog->ended && !IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (!Find(dialog)) return 0;
      if (Find(dialog)->dialog->ended) break;
    }
  }
  INT_PTR result = Find(dialog)->dialog->result;
  DestroyWindow(dialog);
  return result;
}

void DialogEnd(HWND dialog, INT_PTR result) {
  Window *window = Find(dialog);
  window->dialog->result = result;
  window->dialog->ended = true;
  HWND owner = window->owner;
  // The owner is enabled before the dialog goes away, so that Windows activates it, not
  // another application's window.
  if (owner) EnableWindow(owner, TRUE);
  Desk &d = TheDesk();
  if (IsDescendant(dialog, d.focus)) SetFocusTo(dialog);
  SetPosition(dialog, HWND_TOP, 0, 0, 0, 0,
              SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (dialog == d.active) {
    if (owner && Find(owner)) {
      Activate(owner, true);
    } else {
      ActivateOtherWindow(dialog);
    }
  }
  // Wakes the modal loop up.
  Post(dialog, WM_NULL, 0, 0);
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;
using winsim::user32::Operation;

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  Entry entry("CreateDialogParamA", hWndParent, {(intptr_t)hInstance, dwInitParam},
              IS_INTRESOURCE(lpTemplateName) ? nullptr : lpTemplateName);
  if (entry.ShouldFail(Operation::CreateDialog)) return nullptr;
  const BYTE *bytes;
  size_t size;
  if (!FindResourceBytes(DialogType, lpTemplateName, &bytes, &size)) return nullptr;
  return CreateDialogFromTemplate(hInstance, bytes, size, hWndParent, lpDialogFunc, dwInitParam,
                                  nullptr);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  Entry entry("DialogBoxParamA", hWndParent, {(intptr_t)hInstance, dwInitParam},
              IS_INTRESOURCE(lpTemplateName) ? nullptr : lpTemplateName);
  if (entry.ShouldFail(Operation::DialogBox)) return -1;
  if (hWndParent && !Find(hWndParent)) return 0;
  const BYTE *bytes;
  size_t size;
  if (!FindResourceBytes(DialogType, lpTemplateName, &bytes, &size)) return -1;
  HWND owner = hWndParent;
  HWND dialog = CreateDialogFromTemplate(hInstance, bytes, size, hWndParent, lpDialogFunc,
                                         dwInitParam, &owner);
  if (!dialog) return -1;
  return RunModalLoop(dialog, nullptr);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  Entry entry("EndDialog", hDlg, {nResult});
  Window *window = Find(hDlg);
  if (!window || !window->dialog) return FALSE;
  DialogEnd(hDlg, nResult);
  return TRUE;
}
