// The selection dialog's visible state: its place, caption, list and check box when it is
// created, and the count label and Install button that follow the selection afterwards.
#include "shell/font_dial.h"

#include "catalog/font_table.h"
#include "catalog/shared_texts.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

constexpr int LabelSize = 80;

// Centres the dialog on the primary screen. The template places it relative to the owner
// window, which lies below the screen, so this move alone decides where the user sees it.
void CentreOnScreen(HWND hDlg) {
  RECT rect;
  GetWindowRect(hDlg, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  MoveWindow(hDlg, x, y, width, height, TRUE);
}

// Adds every candidate's font name in table order; the list box sorts them itself. Its drawing
// is off meanwhile: the dialog is still hidden here, but a visible list box that redraws after
// every item takes over a minute for 7,500 under Wine. The dialog is drawn whole when shown.
void FillFontList(HWND hDlg) {
  if (FontCount <= 0) return;
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  if (!items) return;
  HWND list = GetDlgItem(hDlg, IDC_FONTLIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < FontCount; i++)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].fontName));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  GlobalUnlock(FontList);
}

}  // namespace

void UpdateSelectionInfo(HWND hDlg, int first) {
  if (first) {
    CentreOnScreen(hDlg);
    SetWindowTextA(hDlg, AppCaption);
    FillFontList(hDlg);
    CheckDlgButton(hDlg, IDC_DELETE, DeleteOriginals ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(GetDlgItem(hDlg, IDC_DELETE), ShowDeleteOption ? SW_SHOW : SW_HIDE);
  }

  int selectedCount =
      static_cast<int>(SendDlgItemMessageA(hDlg, IDC_FONTLIST, LB_GETSELCOUNT, 0, 0));
  char label[LabelSize];
  // A failed count (LB_ERR) reads as no selection, so Install stays disabled.
  if (selectedCount <= 0)
    lstrcpyA(label, "No fonts selected");
  else if (selectedCount == 1)
    wsprintfA(label, "%d font selected", selectedCount);
  else
    wsprintfA(label, "%d fonts selected", selectedCount);
  SetDlgItemTextA(hDlg, IDC_SELCOUNT, label);
  EnableWindow(GetDlgItem(hDlg, IDOK), selectedCount > 0 ? TRUE : FALSE);
}
