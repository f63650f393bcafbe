// The one thread's message queue: posting and sending, taking messages out (posted ones first,
// WM_QUIT after them), dispatching, key translation and WH_GETMESSAGE hooks. A loop that would
// wait on an empty queue runs the test's idle actions, and aborts when none is left.
#include "user32_internal.h"

#include <cstdio>
#include <cstdlib>

namespace winsim::user32::internal {

namespace {

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

size_t hookIndex = 0;  // the hook being called, for CallNextHookEx

void CallHooks(size_t from, MSG *msg, bool remove) {
  Desk &d = TheDesk();
  if (from >= d.hooks.size()) return;
  size_t saved = hookIndex;
  hookIndex = from;
  // Hooks are the tests' recorders: what they call is not the program's doing.
  HOOKPROC proc = d.hooks[from].proc;
  proc(HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, (LPARAM)msg);
  hookIndex = saved;
}

[[noreturn]] void WaitForever() {
  std::fprintf(
      stderr,
      "winsim: GetMessageA would wait forever: the queue is empty, no WM_QUIT is pending and "
      "the test left no idle action (winsim::user32::WhenIdle) to act as the user. This is "
      "a bug in the test.\n");
  std::fflush(stderr);
  std::abort();
}

}  // namespace

BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    winsim::RecordBroadcast(message, wParam, lParam);
    return TRUE;
  }
  if (hwnd && !Find(hwnd)) return FALSE;
  MSG msg = {hwnd, message, wParam, lParam, 0, {0, 0}};
  TheDesk().queue.push_back(msg);
  return TRUE;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *window = Find(hwnd);
  if (!window) return 0;
  return CallWindowProcedure(window, message, wParam, lParam, false);
}

bool NextMessage(MSG *msg, UINT first, UINT last, bool remove, bool wait, bool idleActions) {
  Desk &d = TheDesk();
  for (;;) {
    for (size_t i = 0; i < d.queue.size(); i++) {
      if (!InRange(d.queue[i].message, first, last)) continue;
      *msg = d.queue[i];
      if (remove) d.queue.erase(d.queue.begin() + i);
      CallHooks(0, msg, remove);
      return true;
    }
    if (d.quitPosted && InRange(WM_QUIT, first, last)) {
      *msg = {nullptr, WM_QUIT, (WPARAM)d.quitCode, 0, 0, {0, 0}};
      if (remove) d.quitPosted = false;
      CallHooks(0, msg, remove);
      return true;
    }
    if (idleActions && d.modalDepth == 0 && !d.idleActions.empty()) {
      std::function<void()> action = std::move(d.idleActions.front());
      d.idleActions.pop_front();
      action();  // the test's doing, not the program's: its calls are not recorded
      continue;
    }
    if (!wait) return false;
    WaitForever();
  }
}

}  // namespace winsim::user32::internal

using namespace winsim::user32::internal;

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Entry entry("PostMessageA", hWnd, {(intptr_t)Msg, (intptr_t)wParam, lParam});
  return Post(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Entry entry("SendMessageA", hWnd, {(intptr_t)Msg, (intptr_t)wParam, lParam});
  if (hWnd == HWND_BROADCAST) winsim::detail::Unsupported("SendMessageA to HWND_BROADCAST");
  return Send(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
  Entry entry("PeekMessageA", hWnd,
              {(intptr_t)wMsgFilterMin, (intptr_t)wMsgFilterMax, (intptr_t)wRemoveMsg});
  if (hWnd) winsim::detail::Unsupported("PeekMessageA for one window");
  // Only the program's own polling lets the test act; winsim's modal loops peek without it and
  // wait in GetMessageA, where a person would act on the dialog they now see.
  return NextMessage(lpMsg, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0, false,
                     entry.FromProgram());
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  Entry entry("GetMessageA", hWnd, {(intptr_t)wMsgFilterMin, (intptr_t)wMsgFilterMax});
  if (hWnd) winsim::detail::Unsupported("GetMessageA for one window");
  NextMessage(lpMsg, wMsgFilterMin, wMsgFilterMax, true, true, true);
  return lpMsg->message != WM_QUIT;
}

void WINAPI PostQuitMessage(int nExitCode) {
  Entry entry("PostQuitMessage", nullptr, {nExitCode});
  TheDesk().quitPosted = true;
  TheDesk().quitCode = nExitCode;
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg) {
  Entry entry("DispatchMessageA", lpMsg->hwnd,
              {(intptr_t)lpMsg->message, (intptr_t)lpMsg->wParam, lpMsg->lParam});
  if (lpMsg->message == WM_TIMER && lpMsg->lParam)
    winsim::detail::Unsupported("DispatchMessageA: timer callbacks");
  Window *window = Find(lpMsg->hwnd);
  if (!window) return 0;
  return CallWindowProcedure(window, lpMsg->message, lpMsg->wParam, lpMsg->lParam, true);
}

// WM_KEYDOWN of a key that types a character posts its WM_CHAR (unshifted: no key is held down).
BOOL WINAPI TranslateMessage(const MSG *lpMsg) {
  Entry entry("TranslateMessage", lpMsg->hwnd, {(intptr_t)lpMsg->message, (intptr_t)lpMsg->wParam});
  if (lpMsg->message != WM_KEYDOWN) return FALSE;
  WPARAM key = lpMsg->wParam;
  WPARAM character = 0;
  if (key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB || key == VK_BACK) {
    character = key;
  } else if (key >= 'A' && key <= 'Z') {
    character = key - 'A' + 'a';
  } else if (key >= '0' && key <= '9') {
    character = key;
  }
  if (character) Post(lpMsg->hwnd, WM_CHAR, character, lpMsg->lParam);
  return TRUE;
}

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
  Entry entry("SetWindowsHookExA", nullptr, {idHook, (intptr_t)dwThreadId});
  if (idHook != WH_GETMESSAGE)
    winsim::detail::Unsupported("SetWindowsHookExA: a hook other than WH_GETMESSAGE");
  if (dwThreadId != GetCurrentThreadId())
    winsim::detail::Unsupported("SetWindowsHookExA: another thread");
  static uintptr_t nextHook = 0x60000;
  HHOOK handle = (HHOOK)(nextHook += 4);
  // The newest hook is called first.
  TheDesk().hooks.insert(TheDesk().hooks.begin(), {handle, lpfn});
  return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  Entry entry("UnhookWindowsHookEx");
  std::vector<Hook> &hooks = TheDesk().hooks;
  for (size_t i = 0; i < hooks.size(); i++) {
    if (hooks[i].handle == hhk) {
      hooks.erase(hooks.begin() + i);
      return TRUE;
    }
  }
  return FALSE;
}

LRESULT WINAPI CallNextHookEx(HHOOK, int, WPARAM wParam, LPARAM lParam) {
  Entry entry("CallNextHookEx");
  CallHooks(hookIndex + 1, (MSG *)lParam, wParam == PM_REMOVE);
  return 0;
}
