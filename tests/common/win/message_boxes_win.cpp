// The Windows half of the message box watch. A message box is a dialog of class #32770 that
// user32 builds itself, so the watch hooks the test's thread (WH_CALLWNDPROCRET): once such a
// dialog has handled WM_INITDIALOG its text, icon and buttons are in place, the watch reads them
// and posts the queued answer, which the box's own modal loop then takes as a button press.
#include "common/message_boxes.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

constexpr int TextControlId = 0xFFFF;

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The icon control: id 20 in Windows' message box template, stc1 (0x440) in Wine's.
HWND IconControl(HWND box) {
  HWND control = GetDlgItem(box, 0x0014);
  return control != NULL ? control : GetDlgItem(box, 0x0440);
}

bool IsMessageBox(HWND window) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  return lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, TextControlId) != NULL &&
         IconControl(window) != NULL;
}

// The box is not shown yet, so each control's own style tells whether it will be.
bool WillShow(HWND control) {
  return control != NULL && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

UINT IconStyle(HWND box) {
  HWND control = IconControl(box);
  HICON shown = WillShow(control) ? (HICON)SendMessageA(control, STM_GETICON, 0, 0) : NULL;
  if (shown == NULL) return 0;
  // The styles of these icons are MB_ICONHAND times 1, 2, 3 and 4.
  const LPCSTR icons[] = {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};
  for (int i = 0; i < 4; i++)
    if (LoadIconA(NULL, icons[i]) == shown) return MB_ICONHAND * (i + 1);
  return 0xFFFFFFFF;  // an icon the watch does not know: never equal to an expected style
}

UINT ButtonStyle(HWND box) {
  // Button sets in the order MB_OK = 0, MB_OKCANCEL = 1, ...: bit n stands for button id n.
  constexpr unsigned sets[] = {1u << IDOK,
                               1u << IDOK | 1u << IDCANCEL,
                               1u << IDABORT | 1u << IDRETRY | 1u << IDIGNORE,
                               1u << IDYES | 1u << IDNO | 1u << IDCANCEL,
                               1u << IDYES | 1u << IDNO,
                               1u << IDRETRY | 1u << IDCANCEL};
  unsigned present = 0;
  for (int id = IDOK; id <= IDNO; id++)
    if (WillShow(GetDlgItem(box, id))) present |= 1u << id;
  for (UINT style = 0; style < 6; style++)
    if (sets[style] == present) return style;
  return 0xFFFFFFFF;
}

struct WatchState {
  HHOOK hook;
  std::deque<int> answers;
  std::vector<ShownMessageBox> shown;
};
WatchState *activeWatch;

LRESULT CALLBACK WatchHook(int code, WPARAM wParam, LPARAM lParam) {
  const CWPRETSTRUCT *call = (const CWPRETSTRUCT *)lParam;
  if (code == HC_ACTION && activeWatch != NULL && call->message == WM_INITDIALOG &&
      IsMessageBox(call->hwnd)) {
    HWND box = call->hwnd;
    activeWatch->shown.push_back({GetWindow(box, GW_OWNER),
                                  WindowText(GetDlgItem(box, TextControlId)), WindowText(box),
                                  ButtonStyle(box) | IconStyle(box)});
    int answer = IDOK;
    if (!activeWatch->answers.empty()) {
      answer = activeWatch->answers.front();
      activeWatch->answers.pop_front();
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)GetDlgItem(box, answer));
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

struct MessageBoxWatch::State : WatchState {};

MessageBoxWatch::MessageBoxWatch() : state_(new State{}) {
  state_->hook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchHook, NULL, GetCurrentThreadId());
  // Without the hook the first box would wait for a click that never comes.
  if (state_->hook == NULL) {
    std::fprintf(stderr, "MessageBoxWatch: SetWindowsHookExA failed (%lu)\n", GetLastError());
    std::abort();
  }
  activeWatch = state_;
}

MessageBoxWatch::~MessageBoxWatch() {
  activeWatch = NULL;
  UnhookWindowsHookEx(state_->hook);
  delete state_;
}

void MessageBoxWatch::Answer(int button) {
  state_->answers.push_back(button);
}

std::vector<ShownMessageBox> MessageBoxWatch::Shown() const {
  return state_->shown;
}
