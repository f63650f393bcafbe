// The progress dialog FontStat: hosts, paces and cancels the installation run.
#pragma once

#include <windows.h>

// 1 from WM_INITDIALOG until the run has been requested.
extern int StatPending;
// 1 once EndDialog has been called for the current dialog.
extern int StatEnded;
// 1 while InstallFonts runs inside the dialog's procedure.
extern int StatRunning;
// 1 once the user asked the run to stop; the pump then answers 0 at once. Set by the dialog,
// read by the pump, and cleared when a dialog starts.
extern int StatStopped;

// Opens the dialog modally; returns 0, or -1 when it cannot be created.
INT_PTR RunStatDialog(HWND owner);
// C linkage: the executable exports the procedure under this plain name.
extern "C" INT_PTR CALLBACK FontStatProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void PlaceStatDialog(HWND dialog);
