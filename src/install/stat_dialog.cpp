// The progress dialog's procedure: it places itself, asks for the run once it is first shown,
// runs it inside its own procedure, and ends itself once, after the run, cancelled or finished.
#include "install/stat_dialog.h"

#include "install/install_fonts.h"
#include "install/run_options.h"

RunOptions runOptions;
int StatStopped;

namespace {

int statPending;  // 1 from WM_INITDIALOG until the run has been requested
int statEnded;    // 1 once EndDialog has been called for the current dialog
int statRunning;  // 1 while InstallFonts runs inside the dialog's procedure

// Ends the dialog unless that was done already: a cancel and the end of the run both come here,
// and so may a second click on Cancel.
void EndStatDialog(HWND hDlg) {
  if (statEnded) return;
  EndDialog(hDlg, 0);
  statEnded = 1;
}

}  // namespace

INT_PTR RunStatDialog() {
  return DialogBoxParamA(runOptions.instance, "FontStat", runOptions.owner, FontStatProc, 0);
}

INT_PTR CALLBACK FontStatProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceStatDialog(hDlg);
      statPending = 1;
      statEnded = 0;
      statRunning = 0;
      StatStopped = 0;
      return TRUE;
    case WM_SHOWWINDOW:
      // Posted rather than run here, so that the modal loop first finishes showing the dialog.
      if (wParam != 0 && statPending) {
        PostMessageA(hDlg, WM_RUNINSTALL, 0, 0);
        statPending = 0;
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) PostMessageA(hDlg, WM_STOPINSTALL, 0, 0);
      return TRUE;
    case WM_RUNINSTALL:
      statRunning = 1;
      InstallFonts(hDlg);
      statRunning = 0;
      EndStatDialog(hDlg);
      return TRUE;
    case WM_STOPINSTALL:
      // During the run the stop only marks it: any loop may dispatch this message (a message
      // box's among them), and the dialog must not end, nor the selection dialog come back to
      // life, under a run that is still going. The run's next pump answers 0, and the dialog
      // ends once the run has returned.
      StatStopped = 1;
      if (!statRunning) EndStatDialog(hDlg);
      return TRUE;
  }
  return FALSE;
}
