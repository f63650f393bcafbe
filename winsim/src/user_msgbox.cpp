// MessageBoxA: a message box is recorded and answered from the queue that the test fills, at
// once, as a person would answer it; it runs no loop of its own, so nothing queued is dispatched.
#include <windows.h>

#include "sim_state.h"

namespace {

// The button and icon bits that winsim's message box understands.
constexpr UINT ButtonMask = 0x0000000F;
constexpr UINT IconMask = 0x000000F0;

// The buttons of each button set (MB_OK to MB_RETRYCANCEL), the default first.
constexpr int Offered[6][3] = {
    {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
    {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
};

}  // namespace

namespace winsim {

void QueueMessageBoxAnswer(int answer) {
  detail::Machine().messageBoxAnswers.push_back(answer);
}

const std::vector<MessageBoxRecord> &MessageBoxes() {
  return detail::Machine().messageBoxes;
}

}  // namespace winsim

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  winsim::detail::State &state = winsim::detail::Machine();
  UINT buttons = uType & ButtonMask;
  if ((uType & ~(ButtonMask | IconMask)) != 0 || buttons > MB_RETRYCANCEL) {
    winsim::detail::Unsupported("MessageBoxA with a style beyond the standard buttons and icons");
  }
  winsim::MessageBoxRecord record{hWnd, lpText != nullptr ? lpText : "",
                                  lpCaption != nullptr ? lpCaption : "Error", uType};
  state.messageBoxes.push_back(record);
  int answer = Offered[buttons][0];
  if (!state.messageBoxAnswers.empty()) {
    answer = state.messageBoxAnswers.front();
    state.messageBoxAnswers.pop_front();
  }
  // A box with OK alone gives IDOK when it is dismissed with Escape or its close box.
  if (buttons == MB_OK && answer == IDCANCEL) answer = IDOK;
  if (answer != 0 && answer != Offered[buttons][0] && answer != Offered[buttons][1] &&
      answer != Offered[buttons][2]) {
    winsim::detail::Unsupported("MessageBoxA answered with a button that the box does not have");
  }
  return answer;
}
