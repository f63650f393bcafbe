// The selection dialog FontDial: the user picks the fonts and starts the installation.
#pragma once

#include <windows.h>

// C linkage: the executable exports the procedure under this plain name.
extern "C" INT_PTR CALLBACK FontDialProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
// With first nonzero (WM_INITDIALOG only) places and fills the dialog; always refreshes the
// count label and the Install button.
void UpdateSelectionInfo(HWND hDlg, int first);
