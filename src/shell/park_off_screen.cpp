// Parks a window just below the primary screen: its top edge on the first pixel row under the
// screen, its size unchanged. The owner window lives there, out of sight but not hidden.
#include "shell/font_wind.h"

void ParkOffScreen(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  MoveWindow(hwnd, 0, GetSystemMetrics(SM_CYSCREEN), rect.right - rect.left, rect.bottom - rect.top,
             TRUE);
}
