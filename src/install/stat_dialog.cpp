// The progress dialog's procedure: it places itself, asks for the run once it is first shown,
// runs it inside its own procedure, and ends itself once, after the run, cancelled or finished.
#include "install/stat_dialog.h"

#include "install/install_fonts.h"
#include "shell/globals.h"

int StatPending;
int StatEnded;
int StatRunning;

namespace {

// Ends the dialog unless that was done already: a cancel and the end of the run both come here,
// and so may a second click on Cancel.
void EndStatDialog(HWND dialog) {
  if (StatEnded) return;
  EndDialog(dialog, 0);
  StatEnded = 1;
}

}  // namespace

INT_PTR RunStatDialog(HWND owner) {
  return DialogBoxParamA(hInst, "FontStat", owner, FontStatProc, 0);
}

INT_PTR CALLBACK FontStatProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceStatDialog(dialog);
      StatPending = 1;
      StatEnded = 0;
      StatRunning = 0;
      StatStopped = 0;
      return TRUE;
    case WM_SHOWWINDOW:
      // Posted rather than run here, so that the modal loop first finishes showing the dialog.
      if (wParam != 0 && StatPending) {
        PostMessageA(dialog, WM_RUNINSTALL, 0, 0);
        StatPending = 0;
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) PostMessageA(dialog, WM_STOPINSTALL, 0, 0);
      return TRUE;
    case WM_RUNINSTALL:
      StatRunning = 1;
      InstallFonts(dialog);
      StatRunning = 0;
      EndStatDialog(dialog);
      return TRUE;
    case WM_STOPINSTALL:
      // During the run the stop only marks it: any loop may dispatch this message (a message
      // box's among them), and the dialog must not end, nor the selection dialog come back to
      // life, under a run that is still going. The run's next pump answers 0, and the dialog
      // ends once the run has returned.
      StatStopped = 1;
      if (!StatRunning) EndStatDialog(dialog);
      return TRUE;
  }
  return FALSE;
}
