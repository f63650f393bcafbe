// The progress bar: its full rectangle is read once per run, while it still has its template
// size, and each update shows a share of that width.
#include "install/run_host.h"

#include "resource.h"

namespace {

RECT barRect;  // the bar's full extent in the dialog's client coordinates

}  // namespace

void CaptureStatBar(HWND hDlg) {
  RECT bar = {0, 0, 0, 0};
  GetWindowRect(GetDlgItem(hDlg, IDC_PROGRESS), &bar);
  POINT topLeft = {bar.left, bar.top};
  POINT bottomRight = {bar.right, bar.bottom};
  ScreenToClient(hDlg, &topLeft);
  ScreenToClient(hDlg, &bottomRight);
  barRect.left = topLeft.x;
  barRect.top = topLeft.y;
  barRect.right = bottomRight.x;
  barRect.bottom = bottomRight.y;
}

void UpdateStatBar(HWND hDlg, int percent) {
  HWND bar = GetDlgItem(hDlg, IDC_PROGRESS);
  int width = MulDiv(barRect.right - barRect.left, percent, 100);
  // Painted at once: the run does not return to a message loop between fonts.
  MoveWindow(bar, barRect.left, barRect.top, width, barRect.bottom - barRect.top, TRUE);
  // Hidden until the first update, which shows it even at width 0.
  if (!IsWindowVisible(bar)) ShowWindow(bar, SW_SHOW);
  UpdateWindow(bar);
}
