// The owner window's procedure: parked below the screen, it opens the selection dialog, hides and
// shows it on minimise and restore, and ends the program when it is destroyed.
#include "shell/font_wind.h"

#include "catalog/shared_texts.h"
#include "shell/font_dial.h"
#include "shell/globals.h"

namespace {

// Closes the program: the selection dialog first, then the owner window, whose WM_DESTROY posts
// the quit message. Refused with a beep while the progress dialog or a message box is the most
// recently active pop-up, so that the owner is never destroyed under a running installation.
void CloseOwnerWindow(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND popup = GetLastActivePopup(hwnd);
  if (popup != hwnd && popup != hFontDial) {
    MessageBeep(0);
    return;
  }
  if (hFontDial) {
    DestroyWindow(hFontDial);
    DestroyWindow(hwnd);
  } else {
    DefWindowProcA(hwnd, WM_CLOSE, wParam, lParam);
  }
}

// Keeps the window below the screen: a new position above the bottom edge keeps the old one,
// while the rest of the change (size, z-order, showing) goes through. A minimised window is left
// to the platform, which moves it to and from its minimised place.
void KeepBelowScreen(HWND hwnd, WINDOWPOS *change) {
  if (!IsIconic(hwnd) && change->y < GetSystemMetrics(SM_CYSCREEN)) change->flags |= SWP_NOMOVE;
}

// Restore shows the hidden dialog again, or has it created if the program started minimised.
void RestoreOwnerWindow(HWND hwnd) {
  ShowWindow(hwnd, SW_SHOWNORMAL);
  if (hFontDial) {
    ShowWindow(hFontDial, SW_SHOW);
    UpdateWindow(hFontDial);
  } else {
    PostMessageA(hwnd, WM_OPENFONTDIAL, 0, 0);
  }
}

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
      if (hFontDial) ShowWindow(hFontDial, SW_HIDE);
      break;
    case SC_MAXIMIZE:
      return 0;
    case SC_RESTORE:
      if (!IsIconic(hwnd)) break;
      RestoreOwnerWindow(hwnd);
      return 0;
  }
  return DefWindowProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
}

// Creates and shows the selection dialog; while minimised it waits for the next restore. A
// dialog that already exists is kept: there is one selection dialog per run.
void OpenFontDial(HWND hwnd) {
  if (IsIconic(hwnd) || hFontDial) return;
  hFontDial = CreateDialogParamA(hInst, "FontDial", hwnd, FontDialProc, 0);
  if (hFontDial) {
    ShowWindow(hFontDial, SW_SHOW);
    UpdateWindow(hFontDial);
  } else {
    MessageBoxA(hwnd, NoMemoryText, AppCaption, MB_OK | MB_ICONHAND);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
}

}  // namespace

LRESULT CALLBACK FontWindProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      ParkOffScreen(hwnd);
      PostMessageA(hwnd, WM_OPENFONTDIAL, 0, 0);
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_CLOSE:
      CloseOwnerWindow(hwnd, wParam, lParam);
      return 0;
    case WM_WINDOWPOSCHANGING:
      KeepBelowScreen(hwnd, reinterpret_cast<WINDOWPOS *>(lParam));
      break;
    case WM_SYSCOMMAND:
      return OnSysCommand(hwnd, wParam, lParam);
    case WM_OPENFONTDIAL:
      OpenFontDial(hwnd);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
