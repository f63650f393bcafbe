// Window lookups over the desktop's top-level windows, in z-order. Texts are read with
// GetWindowTextA, which for another process's window reads what the window manager keeps,
// without a message to the program.
#include "screen.h"

#include <stdlib.h>

#include "resource.h"

namespace {

bool Matches(HWND window, DWORD pid, Seen kind) {
  DWORD owner = 0;
  char name[64] = "";
  GetWindowThreadProcessId(window, &owner);
  GetClassNameA(window, name, sizeof name);
  std::string className = name;
  if (owner != pid) return false;
  if (kind == Seen::Owner) return className == "FontWind";
  if (!IsWindowVisible(window)) return false;
  if (kind == Seen::Menu) return className == "#32768";
  bool list = GetDlgItem(window, IDC_FONTLIST), bar = GetDlgItem(window, IDC_PROGRESS);
  if (className != "#32770") return false;
  if (kind == Seen::Selection) return list;
  if (kind == Seen::Progress) return bar;
  return !list && !bar && TextOf(window) == Caption;
}

}  // namespace

HWND FindSeen(DWORD pid, Seen kind) {
  HWND window = GetTopWindow(nullptr);
  while (window && !Matches(window, pid, kind)) window = GetWindow(window, GW_HWNDNEXT);
  return window;
}

HWND WaitSeen(DWORD pid, Seen kind, DWORD ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindSeen(pid, kind)) != nullptr; }, ms);
  return found;
}

bool WaitGone(HWND window, DWORD ms) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

bool WaitActive(HWND window, DWORD ms) {
  bool active = WaitUntil([&] { return GetForegroundWindow() == window; }, ms);
  Pause(250);
  return active;
}

bool Above(HWND a, HWND b) {
  HWND window = GetTopWindow(nullptr);
  while (window && window != a && window != b) window = GetWindow(window, GW_HWNDNEXT);
  return window && window == a;
}

std::string TextOf(HWND window) {
  char text[1024] = "";
  if (window) GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ControlText(HWND dialog, int id) {
  return TextOf(GetDlgItem(dialog, id));
}

RECT ScreenRect(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  return rect;
}

DWORD Patience(DWORD ms) {
  static int scale = atoi(getenv("QB_E2E_TIME_SCALE") ? getenv("QB_E2E_TIME_SCALE") : "1");
  return ms * (scale > 1 ? scale : 1);
}

void Pause(DWORD ms) {
  // Messages sent to the driver's own windows (the broadcast listener) are handled while it waits,
  // so a program that sends one is never held up; posted ones stay queued for TakeBroadcasts.
  MSG message;
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
    PeekMessageA(&message, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE);
  }
}
