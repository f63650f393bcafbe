// Places the progress dialog centred over its owner's client area, kept a scroll bar's breadth
// inside the screen's edges where it fits, and hides the bar until the run's first update.
#include "install/stat_dialog.h"

#include "resource.h"

namespace {

// Moves position into [margin, screen - margin - size]; the upper limit is applied last, so it
// wins for a dialog too large for the screen.
int KeepOnScreen(int position, int size, int marginMetric, int screenMetric) {
  if (position <= GetSystemMetrics(marginMetric)) position = GetSystemMetrics(marginMetric);
  int limit = GetSystemMetrics(screenMetric) - GetSystemMetrics(marginMetric) - size;
  if (position >= limit) position = limit;
  return position;
}

}  // namespace

void PlaceStatDialog(HWND hDlg) {
  RECT window = {0, 0, 0, 0};
  GetWindowRect(hDlg, &window);
  int width = window.right - window.left;
  int height = window.bottom - window.top;

  HWND owner = GetParent(hDlg);
  RECT client = {0, 0, 0, 0};
  GetClientRect(owner, &client);
  POINT topLeft = {client.left, client.top};
  POINT bottomRight = {client.right, client.bottom};
  ClientToScreen(owner, &topLeft);
  ClientToScreen(owner, &bottomRight);

  // Integer division truncates toward zero, also for an owner narrower than the dialog.
  int x = topLeft.x + (bottomRight.x - topLeft.x - width) / 2;
  int y = topLeft.y + (bottomRight.y - topLeft.y - height) / 2;
  x = KeepOnScreen(x, width, SM_CXVSCROLL, SM_CXSCREEN);
  y = KeepOnScreen(y, height, SM_CYHSCROLL, SM_CYSCREEN);
  MoveWindow(hDlg, x, y, width, height, TRUE);
  ShowWindow(GetDlgItem(hDlg, IDC_PROGRESS), SW_HIDE);
}
