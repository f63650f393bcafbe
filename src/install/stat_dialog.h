// The progress dialog FontStat: hosts, paces and cancels the installation run.
#pragma once

#include <windows.h>

// Private messages, each sent or posted with wParam 0 and lParam 0.
constexpr UINT WM_RUNINSTALL = WM_USER + 201;   // selection dialog: open the progress dialog;
                                                // progress dialog: run the installation
constexpr UINT WM_STOPINSTALL = WM_USER + 202;  // progress dialog: stop the run and end the dialog

// 1 once the user asked the run to stop; the pump then answers 0 at once. Set by the dialog,
// read by the pump, and cleared when a dialog starts.
extern int StatStopped;

// Opens the dialog modally over runOptions.owner; returns 0, or -1 when it cannot be created.
INT_PTR RunStatDialog();
// C linkage: the executable exports the procedure under this plain name.
extern "C" INT_PTR CALLBACK FontStatProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
// Centres the dialog over its owner's client area, within the screen, and hides the bar.
void PlaceStatDialog(HWND hDlg);
