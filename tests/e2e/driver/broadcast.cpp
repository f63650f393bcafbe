// The listener's window procedure notes the two messages, whether they were sent or posted.
#include "broadcast.h"

#include <windows.h>

namespace {

HWND listener = nullptr;
std::string heard;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char *section = reinterpret_cast<const char *>(lParam);
  if (message == WM_FONTCHANGE) heard += "WM_FONTCHANGE ";
  if (message == WM_WININICHANGE)
    heard += "WM_WININICHANGE '" + std::string(section ? section : "(null)") + "' ";
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void StartListening() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ListenerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QuillboxE2EListener";
  RegisterClassA(&windowClass);
  listener = CreateWindowExA(0, "QuillboxE2EListener", "listener", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, windowClass.hInstance, nullptr);
}

std::string TakeBroadcasts() {
  MSG message;
  while (listener && PeekMessageA(&message, listener, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  std::string taken;
  taken.swap(heard);
  return taken;
}
