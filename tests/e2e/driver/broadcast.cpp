// The listener's window procedure notes the two messages, whether they were sent or posted.
#include "broadcast.h"

#include <windows.h>

#include "report.h"

namespace {

HWND listener = nullptr;
std::string heard;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char *section = lParam ? reinterpret_cast<const char *>(lParam) : "(null)";
  if (message == WM_FONTCHANGE) heard += "WM_FONTCHANGE ";
  if (message == WM_WININICHANGE) heard += Format("WM_WININICHANGE '%s' ", section);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void StartListening() {
  WNDCLASSA windowClass = {0, ListenerProc, 0, 0, 0, 0, 0, 0, 0, "QuillboxE2EListener"};
  RegisterClassA(&windowClass);
  listener = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0);
}

std::string TakeBroadcasts() {
  MSG message;
  while (listener && PeekMessageA(&message, listener, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return std::move(heard);
}
