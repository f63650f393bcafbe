// SendMessageTimeoutA to HWND_BROADCAST: recorded beside the posted broadcasts and sent to every
// top-level window of the one thread at once. No window of winsim ever hangs, so the timeout and
// SMTO_ABORTIFHUNG never come into play and every window answers.
#include "user32_internal.h"

using namespace winsim::user32::internal;

LRESULT WINAPI SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags,
                                   UINT uTimeout, DWORD_PTR *lpdwResult) {
  Entry entry("SendMessageTimeoutA", hWnd,
              {(intptr_t)Msg, (intptr_t)wParam, lParam, (intptr_t)fuFlags, (intptr_t)uTimeout});
  if (hWnd != HWND_BROADCAST) winsim::detail::Unsupported("SendMessageTimeoutA to one window");
  if (fuFlags != SMTO_ABORTIFHUNG) {
    winsim::detail::Unsupported("SendMessageTimeoutA without SMTO_ABORTIFHUNG alone");
  }
  winsim::RecordBroadcast(Msg, wParam, lParam);
  // A receiver may destroy windows: the list is taken first, and each is looked up again.
  std::vector<HWND> windows = winsim::user32::TopLevelWindows();
  for (HWND window : windows) {
    if (Find(window) != nullptr) Send(window, Msg, wParam, lParam);
  }
  if (lpdwResult != nullptr) *lpdwResult = 0;
  return TRUE;
}
