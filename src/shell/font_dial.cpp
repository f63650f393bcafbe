// The selection dialog's procedure: the user's commands, up to Install, which runs the whole
// installation nested inside the command. Closing and minimising are left to the owner window.
#include "shell/font_dial.h"

#include "catalog/font_table.h"
#include "install/run_options.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

// Copies the list box selection into the candidate table. A list position is not a table
// position (the list box sorts), so each item is matched to its record by its font name.
// Records that no item matches keep their flag.
void StoreSelection(HWND hDlg, int itemCount) {
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  if (!items) return;
  for (int i = 0; i < itemCount; i++) {
    char name[FontNameSize];
    if (SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name)) ==
        LB_ERR)
      continue;
    int record = FindByFontName(name);
    if (record >= FontCount) continue;
    // LB_GETSEL answers LB_ERR (-1) on failure, which counts as not selected.
    items[record].selected = SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETSEL, i, 0) > 0 ? 1 : 0;
  }
  GlobalUnlock(FontList);
}

// Install: the run is sent, not posted, so that it has ended before the close is posted.
void InstallSelected(HWND hDlg) {
  int itemCount = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETCOUNT, 0, 0));
  if (itemCount > 0) {
    StoreSelection(hDlg, itemCount);
    SendMessageA(hDlg, WM_RUNINSTALL, 0, 0);
  }
  PostMessageA(hDlg, WM_CLOSE, 0, 0);
}

void SelectAll(HWND hDlg, BOOL select) {
  int itemCount = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETCOUNT, 0, 0));
  SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_SELITEMRANGE, select, MAKELPARAM(0, itemCount - 1));
  UpdateSelectionInfo(hDlg, 0);
}

void OnCommand(HWND hDlg, int id, int code) {
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

// Hands the run its options and opens the progress dialog, which runs the installation.
void OpenStatDialog(HWND hDlg) {
  runOptions.instance = hInst;
  runOptions.owner = hDlg;
  runOptions.deleteOriginals = DeleteOriginals;
  RunStatDialog();
}

}  // namespace

INT_PTR CALLBACK FontDialProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      UpdateSelectionInfo(hDlg, 1);
      SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDC_SELECTALL)),
                   TRUE);
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
      OpenStatDialog(hDlg);
      return TRUE;
  }
  return FALSE;
}
