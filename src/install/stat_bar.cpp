// The progress bar: its full rectangle is read once per run while it still has its template
// size, and each update shows a share of that width, painted at once since the run does not
// return to a message loop between fonts.
#include "install/run_host.h"

#include "resource.h"

namespace {

RECT barRect;  // the bar's full extent in the dialog's client coordinates

}  // namespace

void CaptureStatBar(HWND dialog) {
  RECT bar = {0, 0, 0, 0};
  GetWindowRect(GetDlgItem(dialog, IDC_PROGRESS), &bar);
  POINT topLeft = {bar.left, bar.top};
  POINT bottomRight = {bar.right, bar.bottom};
  ScreenToClient(dialog, &topLeft);
  ScreenToClient(dialog, &bottomRight);
  barRect.left = topLeft.x;
  barRect.top = topLeft.y;
  barRect.right = bottomRight.x;
  barRect.bottom = bottomRight.y;
}

void UpdateStatBar(HWND dialog, int percent) {
  HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
  int width = MulDiv(barRect.right - barRect.left, percent, 100);
  MoveWindow(bar, barRect.left, barRect.top, width, barRect.bottom - barRect.top, TRUE);
  // Hidden until the first update, which shows it even at width 0.
  if (!IsWindowVisible(bar)) ShowWindow(bar, SW_SHOW);
  UpdateWindow(bar);
}
