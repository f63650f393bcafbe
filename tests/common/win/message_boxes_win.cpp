// The Windows half of the message box watch. A message box is a dialog of class #32770 that
// user32 builds itself, so the watch hooks the test's thread (WH_CALLWNDPROCRET): once such a
// dialog has handled WM_INITDIALOG its text, icon and buttons are in place, the watch reads them
// and posts the queued answer, which the box's own modal loop then takes as a button press.
#include "common/message_boxes.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

// The icon control: id 20 in Windows' message box template, stc1 (0x440) in Wine's.
constexpr int IconControlIds[] = {0x0014, 0x0440};
constexpr int TextControlId = 0xFFFF;

struct IconKind {
  LPCSTR resource;
  UINT style;
};
const IconKind Icons[] = {{IDI_HAND, MB_ICONHAND},
                          {IDI_QUESTION, MB_ICONQUESTION},
                          {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                          {IDI_ASTERISK, MB_ICONASTERISK}};

// Button sets in the order MB_OK = 0, MB_OKCANCEL = 1, ...: bit n stands for button id n.
constexpr unsigned ButtonSets[] = {
    1u << IDOK,
    1u << IDOK | 1u << IDCANCEL,
    1u << IDABORT | 1u << IDRETRY | 1u << IDIGNORE,
    1u << IDYES | 1u << IDNO | 1u << IDCANCEL,
    1u << IDYES | 1u << IDNO,
    1u << IDRETRY | 1u << IDCANCEL,
};

std::string WindowText(HWND window) {
  char text[1024] = "";
  if (window != NULL) GetWindowTextA(window, text, sizeof text);
  return text;
}

HWND IconControl(HWND box) {
  for (int id : IconControlIds) {
    HWND control = GetDlgItem(box, id);
    if (control != NULL) return control;
  }
  return NULL;
}

bool IsMessageBox(HWND window) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  return lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, TextControlId) != NULL &&
         IconControl(window) != NULL;
}

UINT IconStyle(HWND box) {
  HWND control = IconControl(box);
  if (control == NULL || !(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) return 0;
  HICON shown = (HICON)SendMessageA(control, STM_GETICON, 0, 0);
  if (shown == NULL) return 0;
  for (const IconKind &icon : Icons)
    if (LoadIconA(NULL, icon.resource) == shown) return icon.style;
  return 0xFFFFFFFF;  // an icon the watch does not know: never equal to an expected style
}

UINT ButtonStyle(HWND box) {
  unsigned present = 0;
  for (int id = IDOK; id <= IDNO; id++) {
    HWND button = GetDlgItem(box, id);
    // The box is not shown yet, so the button's own style tells whether it will be.
    if (button != NULL && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) present |= 1u << id;
  }
  for (UINT style = 0; style < sizeof ButtonSets / sizeof ButtonSets[0]; style++)
    if (ButtonSets[style] == present) return style;
  return 0xFFFFFFFF;
}

}  // namespace

namespace {
struct WatchState {
  HHOOK hook;
  std::deque<int> answers;
  std::vector<ShownMessageBox> shown;
};
WatchState *activeWatch;
}  // namespace

struct MessageBoxWatch::State : WatchState {};

static LRESULT CALLBACK WatchHook(int code, WPARAM wParam, LPARAM lParam) {
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
  if (state_->hook != NULL) UnhookWindowsHookEx(state_->hook);
  delete state_;
}

void MessageBoxWatch::Answer(int button) {
  state_->answers.push_back(button);
}

std::vector<ShownMessageBox> MessageBoxWatch::Shown() const {
  return state_->shown;
}
