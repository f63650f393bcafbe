// The little of USER32 that the run's host needs on the host build: a plain window whose
// procedure stands in for the progress dialog, STATIC children that hold its dialog items' texts,
// the thread's posted messages for the pump (taken in order, WM_QUIT after them), and broadcasts
// sent to every top-level window. There is no window manager: nothing is shown, moved or focused.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "sim_state.h"
#include "sim_text.h"

namespace {

using winsim::detail::Machine;
using winsim::detail::SetError;
using winsim::detail::Unsupported;
using winsim::detail::Window;

constexpr DWORD ErrorInvalidWindowHandle = 1400;
constexpr DWORD ErrorControlIdNotFound = 1421;
constexpr DWORD ErrorClassAlreadyExists = 1410;
constexpr DWORD ErrorClassDoesNotExist = 1411;

std::string UpperName(const char *name) {
  std::string upper = name != nullptr ? name : "";
  for (char &c : upper)
    c = static_cast<char>(winsim::detail::UpperCase(static_cast<unsigned char>(c)));
  return upper;
}

Window *Find(HWND hwnd) {
  auto found = Machine().windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return found == Machine().windows.end() ? nullptr : &found->second;
}

// The STATIC child of dialog with the given id.
Window *FindItem(HWND dialog, int id) {
  for (auto &entry : Machine().windows) {
    Window &window = entry.second;
    if (window.parent == dialog && window.id == id) return &window;
  }
  return nullptr;
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA *lpWndClass) {
  if (lpWndClass->style != 0 || lpWndClass->cbClsExtra != 0 || lpWndClass->cbWndExtra != 0 ||
      lpWndClass->lpszMenuName != nullptr) {
    Unsupported("RegisterClassA with class styles, extra bytes or a menu");
  }
  std::map<std::string, WNDPROC> &classes = Machine().classes;
  std::string name = UpperName(lpWndClass->lpszClassName);
  if (name.empty() || name == "STATIC" || classes.count(name) != 0) {
    SetError(ErrorClassAlreadyExists);
    return 0;
  }
  classes[name] = lpWndClass->lpfnWndProc;
  return static_cast<ATOM>(0xC000 + classes.size());
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int, int, int, int, HWND hWndParent, HMENU hMenu, HINSTANCE,
                            LPVOID lpParam) {
  winsim::detail::State &state = Machine();
  if (dwExStyle != 0 || lpParam != nullptr) {
    Unsupported("CreateWindowExA with extended styles or creation data");
  }
  Window window;
  window.text = lpWindowName != nullptr ? lpWindowName : "";
  std::string name = UpperName(lpClassName);
  if (name == "STATIC") {
    // A dialog item: a child with an id, whose text is all that it keeps.
    if ((dwStyle & WS_CHILD) == 0 || Find(hWndParent) == nullptr) {
      Unsupported("CreateWindowExA: a STATIC control that is no child of a live window");
    }
    window.parent = hWndParent;
    window.id = static_cast<int>(reinterpret_cast<intptr_t>(hMenu));
  } else {
    if ((dwStyle & WS_CHILD) != 0 || hWndParent != nullptr || hMenu != nullptr) {
      Unsupported("CreateWindowExA: a child or owned window of a registered class");
    }
    auto found = state.classes.find(name);
    if (found == state.classes.end()) {
      SetError(ErrorClassDoesNotExist);
      return nullptr;
    }
    window.proc = found->second;
  }
  uintptr_t handle = state.nextWindow;
  state.nextWindow += 4;
  state.windows[handle] = window;
  return reinterpret_cast<HWND>(handle);
}

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  winsim::detail::State &state = Machine();
  if (Find(hWnd) == nullptr) {
    SetError(ErrorInvalidWindowHandle);
    return FALSE;
  }
  for (auto entry = state.windows.begin(); entry != state.windows.end();) {
    if (entry->second.parent == hWnd) {
      entry = state.windows.erase(entry);
    } else {
      ++entry;
    }
  }
  state.windows.erase(reinterpret_cast<uintptr_t>(hWnd));
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
  return Find(hWnd) != nullptr;
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  Window *item = FindItem(hDlg, nIDDlgItem);
  if (item == nullptr) {
    SetError(ErrorControlIdNotFound);
    return FALSE;
  }
  item->text = lpString != nullptr ? lpString : "";
  return TRUE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  Window *item = FindItem(hDlg, nIDDlgItem);
  if (cchMax <= 0) return 0;
  if (item == nullptr) {
    SetError(ErrorControlIdNotFound);
    lpString[0] = '\0';
    return 0;
  }
  size_t length = std::min(item->text.size(), static_cast<size_t>(cchMax - 1));
  std::memcpy(lpString, item->text.data(), length);
  lpString[length] = '\0';
  return static_cast<UINT>(length);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == HWND_BROADCAST) Unsupported("PostMessageA to HWND_BROADCAST");
  if (hWnd != nullptr && Find(hWnd) == nullptr) {
    SetError(ErrorInvalidWindowHandle);
    return FALSE;
  }
  Machine().queue.push_back({hWnd, Msg, wParam, lParam, 0, {0, 0}});
  return TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
  if (hWnd != nullptr || wMsgFilterMin != 0 || wMsgFilterMax != 0 || wRemoveMsg > PM_REMOVE) {
    Unsupported("PeekMessageA for one window, a range of messages or with PM_NOYIELD");
  }
  winsim::detail::State &state = Machine();
  bool remove = wRemoveMsg == PM_REMOVE;
  if (!state.queue.empty()) {
    *lpMsg = state.queue.front();
    if (remove) state.queue.pop_front();
    return TRUE;
  }
  if (!state.quitPosted) return FALSE;
  *lpMsg = {nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0, 0, {0, 0}};
  if (remove) state.quitPosted = false;
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg) {
  Window *window = Find(lpMsg->hwnd);
  if (window == nullptr || window->proc == nullptr) return 0;
  return window->proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void WINAPI PostQuitMessage(int nExitCode) {
  Machine().quitPosted = true;
  Machine().quitCode = nExitCode;
}

// No window of winsim ever hangs, so every top-level window answers and the timeout never counts.
LRESULT WINAPI SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags,
                                   UINT, DWORD_PTR *lpdwResult) {
  if (hWnd != HWND_BROADCAST || fuFlags != SMTO_ABORTIFHUNG) {
    Unsupported("SendMessageTimeoutA to one window, or without SMTO_ABORTIFHUNG alone");
  }
  winsim::BroadcastRecord record{Msg, wParam, lParam, ""};
  if (Msg == WM_WININICHANGE && lParam != 0) record.text = reinterpret_cast<const char *>(lParam);
  Machine().broadcasts.push_back(record);
  // A receiver may destroy windows: the handles are taken first, and each is looked up again.
  std::vector<uintptr_t> handles;
  for (const auto &entry : Machine().windows) {
    if (entry.second.proc != nullptr) handles.push_back(entry.first);
  }
  for (uintptr_t handle : handles) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (Find(window) != nullptr) Find(window)->proc(window, Msg, wParam, lParam);
  }
  if (lpdwResult != nullptr) *lpdwResult = 0;
  return TRUE;
}

namespace winsim {

const std::vector<BroadcastRecord> &Broadcasts() {
  return detail::Machine().broadcasts;
}

}  // namespace winsim
