// The selection dialog's procedure: the user's commands in FontDial, from the selection in the
// font list to Install, which runs the whole installation nested inside the command.
// The dialog never destroys or minimises itself; it asks its owner window to do both.
#include "shell/font_dial.h"

#include "catalog/font_table.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"

// Copies the list box selection into the candidate table. A list position is not a table
// position (the list box sorts), so each item is matched to its record by its font name.
// Records that no item matches keep their flag.
static void StoreSelection(HWND hDlg, int itemCount) {
  FontItem *items = (FontItem *)GlobalLock(FontList);
  if (!items) return;
  for (int i = 0; i < itemCount; i++) {
    char name[FontNameSize];
    if (SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETTEXT, i, (LPARAM)name) == LB_ERR) continue;
    int record = FindByFontName(name);
    if (record >= FontCount) continue;
    // LB_GETSEL answers LB_ERR (-1) on failure, which counts as not selected.
    items[record].selected = SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETSEL, i, 0) > 0 ? 1 : 0;
  }
  GlobalUnlock(FontList);
}

// Install: the run is sent, not posted, so that it has ended before the close is posted.
static void InstallSelected(HWND hDlg) {
  int itemCount = (int)SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETCOUNT, 0, 0);
  if (itemCount > 0) {
    StoreSelection(hDlg, itemCount);
    SendMessageA(hDlg, WM_RUNINSTALL, 0, 0);
  }
  PostMessageA(hDlg, WM_CLOSE, 0, 0);
}

static void SelectAll(HWND hDlg, BOOL select) {
  int itemCount = (int)SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETCOUNT, 0, 0);
  SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_SELITEMRANGE, select, MAKELPARAM(0, itemCount - 1));
  UpdateSelectionInfo(hDlg, 0);
}

static void OnCommand(HWND hDlg, int id, int code) {
  switch (id) {
    case IDOK:
      InstallSelected(hDlg);
      break;
    case IDCANCEL:
      PostMessageA(hDlg, WM_CLOSE, 0, 0);
      break;
    case IDC_FONTLIST:
      if (code == LBN_SELCHANGE) UpdateSelectionInfo(hDlg, 0);
      break;
    case IDC_DELETE:
      DeleteOriginals = IsDlgButtonChecked(hDlg, IDC_DELETE) == BST_CHECKED ? 1 : 0;
      break;
    case IDC_SELECTALL:
      SelectAll(hDlg, TRUE);
      break;
    case IDC_UNSELECTALL:
      SelectAll(hDlg, FALSE);
      break;
  }
}

INT_PTR CALLBACK FontDialProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      UpdateSelectionInfo(hDlg, 1);
      SendMessageA(hDlg, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(hDlg, IDC_SELECTALL), TRUE);
      return FALSE;  // the focus is set already
    case WM_CLOSE:
      PostMessageA(GetParent(hDlg), WM_CLOSE, 0, 0);
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_MINIMIZE) return FALSE;  // SC_CLOSE comes back as WM_CLOSE
      PostMessageA(GetParent(hDlg), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return TRUE;
    case WM_COMMAND:
      OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_RUNINSTALL:
      RunStatDialog(hDlg);
      return TRUE;
  }
  return FALSE;
}
