// The steps of the program's entry, each a small routine, so that WinMain itself stays a single
// call and the whole start and end can be driven by the tests.
#include "shell/app_main.h"

#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "catalog/shared_texts.h"
#include "shell/font_wind.h"
#include "shell/globals.h"

namespace {

// A copy that is already running gets the user's attention instead of a second copy: its owner
// window and then its most recently active pop-up (the selection or the progress dialog) are
// raised. Returns 1 when a running copy was found.
int HandOverToRunningCopy() {
  HWND running = FindWindowA(OwnerClassName, AppCaption);
  if (!running) return 0;
  HWND popup = GetLastActivePopup(running);
  BringWindowToTop(running);
  if (popup != running) BringWindowToTop(popup);
  return 1;
}

int RegisterOwnerClass(HINSTANCE instance) {
  WNDCLASSA windowClass;
  windowClass.style = 0;
  windowClass.lpfnWndProc = FontWindProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(hInst, "Quillbox");
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = NULL;
  windowClass.lpszClassName = OwnerClassName;
  return RegisterClassA(&windowClass) != 0;
}

// The owner window: an unowned pop-up of size zero with a system menu and a minimise box but no
// visible part. Its WM_CREATE parks it below the screen and asks for the selection dialog.
HWND CreateOwnerWindow(HINSTANCE instance) {
  return CreateWindowExA(0, OwnerClassName, AppCaption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                         0, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
}

// Runs until WM_QUIT and returns its code. The selection dialog sees every message first, which
// gives it Tab, Enter and Escape.
int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0)) {
    if (hFontDial && IsDialogMessageA(hFontDial, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunProgram(HINSTANCE instance, LPCSTR commandLine, int showCommand) {
  if (HandOverToRunningCopy()) return 0;
  hInst = instance;
  // The loader has told the user why when there is nothing to offer.
  if (!LoadFontList()) return 0;
  if (lstrcmpiA(commandLine, "/d") == 0) ShowDeleteOption = 1;

  int exitCode = StartFailedExitCode;
  HWND owner = NULL;
  if (RegisterOwnerClass(instance)) owner = CreateOwnerWindow(instance);
  if (owner) {
    // The owner window is never shown maximised.
    ShowWindow(owner, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand);
    exitCode = RunMessageLoop();
  } else {
    MessageBoxA(NULL, NoMemoryText, AppCaption, MB_OK | MB_ICONHAND);
  }
  ReleaseFontList();
  return exitCode;
}
