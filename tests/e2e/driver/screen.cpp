// Window lookups over EnumWindows, and reads that work across processes under Wine: window texts
// with GetWindowTextW, list box items with LB_GETTEXT sent as Unicode (Wine does not convert an
// ANSI list box's strings for a reader in another process).
#include "screen.h"

#include <stdlib.h>

namespace {

struct Search {
  DWORD pid;
  Seen kind;
  HWND found;
};

bool HasControl(HWND dialog, int id) {
  return GetDlgItem(dialog, id) != nullptr;
}

bool Matches(HWND window, DWORD pid, Seen kind) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (pid != 0 && owner != pid) return false;
  std::string className = ClassOf(window);
  if (kind == Seen::Owner) return className == "FontWind";
  if (className != "#32770" || !IsWindowVisible(window)) return false;
  switch (kind) {
    case Seen::Selection:
      return HasControl(window, 100);
    case Seen::Progress:
      return HasControl(window, 140);
    case Seen::Box:
      return !HasControl(window, 100) && !HasControl(window, 140) && HasControl(window, 0xFFFF) &&
             TextOf(window) == Caption;
    default:
      return false;
  }
}

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  Search *search = reinterpret_cast<Search *>(data);
  if (!Matches(window, search->pid, search->kind)) return TRUE;
  search->found = window;
  return FALSE;
}

struct Listing {
  DWORD pid;
  std::vector<std::string> lines;
};

BOOL CALLBACK List(HWND window, LPARAM data) {
  Listing *listing = reinterpret_cast<Listing *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == listing->pid && IsWindowVisible(window)) {
    RECT rect = ScreenRect(window);
    char place[64];
    wsprintfA(place, " at %d,%d %dx%d", static_cast<int>(rect.left), static_cast<int>(rect.top),
              Width(rect), Height(rect));
    listing->lines.push_back(ClassOf(window) + " '" + TextOf(window) + "'" + place);
  }
  return TRUE;
}

// A message to a window of the program; waits at most 5 s, so a program that hangs shows as an
// empty answer instead of hanging the driver.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::string Narrow(const wchar_t *text, int length) {
  if (length <= 0) return "";
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], size, nullptr, nullptr);
  return out;
}

}  // namespace

HWND FindSeen(DWORD pid, Seen kind) {
  Search search = {pid, kind, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitSeen(DWORD pid, Seen kind, DWORD ms) {
  ms = Patience(ms);
  DWORD start = GetTickCount();
  for (;;) {
    HWND found = FindSeen(pid, kind);
    if (found || GetTickCount() - start >= ms) return found;
    Pause(20);
  }
}

bool WaitGone(HWND window, DWORD ms) {
  ms = Patience(ms);
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start >= ms) return false;
    Pause(20);
  }
  return true;
}

bool WaitActive(HWND window, DWORD ms) {
  ms = Patience(ms);
  DWORD start = GetTickCount();
  while (GetForegroundWindow() != window) {
    if (GetTickCount() - start >= ms) return false;
    Pause(20);
  }
  Pause(250);
  return true;
}

bool Above(HWND a, HWND b) {
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (window == a) return true;
    if (window == b) return false;
  }
  return false;
}

std::vector<std::string> VisibleWindows(DWORD pid) {
  Listing listing = {pid, {}};
  EnumWindows(List, reinterpret_cast<LPARAM>(&listing));
  return listing.lines;
}

std::string TextOf(HWND window) {
  if (!window) return "";
  wchar_t buffer[1024];
  int length = GetWindowTextW(window, buffer, 1024);
  return Narrow(buffer, length);
}

std::string ControlText(HWND dialog, int id) {
  return TextOf(GetDlgItem(dialog, id));
}

std::string ClassOf(HWND window) {
  char name[64];
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

bool IsShown(HWND window) {
  return window && IsWindow(window) && IsWindowVisible(window);
}

bool IsEnabledControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control && IsWindowEnabled(control);
}

bool IsShownControl(HWND dialog, int id) {
  return IsShown(GetDlgItem(dialog, id));
}

long long CheckState(HWND dialog, int id) {
  return Ask(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
}

RECT ScreenRect(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  return rect;
}

int Width(const RECT &rect) {
  return rect.right - rect.left;
}

int Height(const RECT &rect) {
  return rect.bottom - rect.top;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; i++) {
    LRESULT length = Ask(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) length = 0;
    std::vector<wchar_t> text(length + 2, L'\0');
    LRESULT got = Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    items.push_back(Narrow(text.data(), got > 0 ? static_cast<int>(got) : 0));
  }
  return items;
}

std::vector<std::string> SelectedItems(HWND list) {
  std::vector<std::string> all = ListItems(list);
  std::vector<std::string> selected;
  for (size_t i = 0; i < all.size(); i++) {
    if (Ask(list, LB_GETSEL, i, 0) > 0) selected.push_back(all[i]);
  }
  return selected;
}

int ItemIndex(HWND list, const std::string &text) {
  std::vector<std::string> items = ListItems(list);
  for (size_t i = 0; i < items.size(); i++) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

std::string BoxText(HWND box) {
  return ControlText(box, 0xFFFF);
}

bool BoxHasButton(HWND box, int id) {
  return IsShownControl(box, id);
}

std::vector<std::string> BoxButtons(HWND box) {
  std::vector<std::string> buttons;
  for (int id = 1; id <= 11; id++) {
    if (BoxHasButton(box, id)) buttons.push_back(ControlText(box, id));
  }
  return buttons;
}

DWORD Patience(DWORD ms) {
  static DWORD scale = 0;
  if (scale == 0) {
    char value[16] = "";
    GetEnvironmentVariableA("QB_E2E_TIME_SCALE", value, sizeof value);
    scale = static_cast<DWORD>(atoi(value));
    if (scale < 1) scale = 1;
  }
  return ms * scale;
}

void Pause(DWORD ms) {
  // Messages sent to the driver's own window (the broadcast listener) are handled while it waits,
  // so a program that sends one is never held up; posted ones stay queued for TakeBroadcasts.
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    PeekMessageA(&message, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE);
    DWORD passed = GetTickCount() - start;
    if (passed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_SENDMESSAGE);
  }
}
