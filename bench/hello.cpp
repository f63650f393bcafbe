// qb_hello.exe: the least a program with a list to show does at start, the floor that
// Quillbox.exe's start to its selection dialog is timed against. It shows one window holding an
// empty list box (with the id of Quillbox's font list, so that the benchmark finds both alike)
// and runs a message loop until Cancel.
#include <windows.h>

#include "resource.h"

namespace {

LRESULT CALLBACK HelloProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HelloProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "QbHello";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "QbHello", "Hello", WS_POPUP | WS_CAPTION, 100, 100, 300, 200,
                                NULL, NULL, instance, NULL);
  CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 270, 140, window,
                  reinterpret_cast<HMENU>(IDC_FONTLIST), instance, NULL);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
