// The listener's window procedure notes the two messages, whether they were sent or posted.
#include "broadcast.h"

#include <windows.h>

#include "report.h"

namespace {

HWND listener = nullptr;
std::vector<std::string> heard;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FONTCHANGE) heard.push_back("WM_FONTCHANGE");
  if (message == WM_WININICHANGE) {
    const char *section = reinterpret_cast<const char *>(lParam);
    heard.push_back("WM_WININICHANGE " + (section ? Quoted(section) : std::string("(null)")));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void StartListening() {
  if (listener) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ListenerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QuillboxE2EListener";
  RegisterClassA(&windowClass);
  listener = CreateWindowExA(0, "QuillboxE2EListener", "listener", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, windowClass.hInstance, nullptr);
}

std::vector<std::string> TakeBroadcasts() {
  MSG message;
  while (listener && PeekMessageA(&message, listener, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  std::vector<std::string> taken;
  taken.swap(heard);
  return taken;
}
