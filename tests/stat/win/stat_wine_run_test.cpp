// The real dialog from the real template hosting a run over real fonts under Wine, watched through
// thread hooks: the pace of at least 500 ms per font, the two lines, the bar at its full width at
// the end, and a Cancel clicked during a pump. Also what the polling pump costs in processor time.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/message_boxes.h"
#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/globals.h"
#include "stat/stat_fixture.h"

namespace {

constexpr UINT Probe = WM_APP + 1;

// What the hooks saw, with the tick count of each moment.
struct Watch {
  HWND dialog = NULL;
  DWORD runStart = 0;
  int fullBarWidth = -1;
  // At the probe, which the first pump dispatches.
  bool probed = false;
  std::string probeFontLine, probeFileLine;
  bool probeBarVisible = true;
  std::vector<std::pair<DWORD, std::string>> fontLines, fileLines;
  std::vector<int> barWidths;
  std::vector<DWORD> barTicks;
  int stopsRetrieved = 0;
  std::function<void()> afterFirstUpdate;
};
Watch *watch;

std::string Text(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool IsStatDialog(HWND window) {
  return GetDlgItem(window, IDC_PROGRESS) != NULL;
}

// Posted messages, as a loop takes them from the queue.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  MSG *message = reinterpret_cast<MSG *>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && watch != NULL && IsStatDialog(message->hwnd)) {
    HWND dialog = message->hwnd;
    if (message->message == WM_RUNINSTALL) {
      watch->dialog = dialog;
      watch->runStart = GetTickCount();
      RECT bar;
      GetWindowRect(GetDlgItem(dialog, IDC_PROGRESS), &bar);
      watch->fullBarWidth = bar.right - bar.left;
      // Taken by the first pump, once the run has begun.
      PostMessageA(dialog, Probe, 0, 0);
    }
    if (message->message == Probe) {
      watch->probed = true;
      watch->probeFontLine = Text(GetDlgItem(dialog, IDC_STATFONT));
      watch->probeFileLine = Text(GetDlgItem(dialog, IDC_STATFILE));
      watch->probeBarVisible = IsWindowVisible(GetDlgItem(dialog, IDC_PROGRESS)) != FALSE;
    }
    if (message->message == WM_STOPINSTALL) watch->stopsRetrieved++;
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// Sent messages: the lines' texts and the bar's sizes.
LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
  HWND parent = GetParent(call->hwnd);
  // Only once the run has begun: the controls' creation sends them messages too.
  if (code == HC_ACTION && watch != NULL && watch->dialog != NULL && parent == watch->dialog) {
    int id = GetDlgCtrlID(call->hwnd);
    if (call->message == WM_SETTEXT && id == IDC_STATFONT) {
      watch->fontLines.push_back({GetTickCount(), reinterpret_cast<const char *>(call->lParam)});
    }
    if (call->message == WM_SETTEXT && id == IDC_STATFILE) {
      watch->fileLines.push_back({GetTickCount(), reinterpret_cast<const char *>(call->lParam)});
    }
    if (call->message == WM_SIZE && id == IDC_PROGRESS) {
      watch->barWidths.push_back(LOWORD(call->lParam));
      watch->barTicks.push_back(GetTickCount());
      if (watch->barWidths.size() == 1 && watch->afterFirstUpdate) watch->afterFirstUpdate();
    }
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

class StatWineTest : public StatTest {
 protected:
  StatWineTest() {
    watch = &watch_;
    getMessage_ = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, NULL, GetCurrentThreadId());
    callWndProc_ = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, NULL, GetCurrentThreadId());
  }
  ~StatWineTest() override {
    UnhookWindowsHookEx(getMessage_);
    UnhookWindowsHookEx(callWndProc_);
    watch = NULL;
  }
  std::vector<std::string> Texts(const std::vector<std::pair<DWORD, std::string>> &lines) {
    std::vector<std::string> texts;
    for (const auto &line : lines) texts.push_back(line.second);
    return texts;
  }

  Watch watch_;
  HHOOK getMessage_ = NULL;
  HHOOK callWndProc_ = NULL;
};

TEST_F(StatWineTest, RealDialogPacesTheRunAndFillsTheBar) {
  ASSERT_NE(static_cast<HHOOK>(NULL), getMessage_);
  ASSERT_NE(static_cast<HHOOK>(NULL), callWndProc_);
  AddFont("qbsta.ttf", "Quillbox Stat Serif", Sandbox::RealFont(1));
  AddFont("qbstb.ttf", "Quillbox Stat Mono", Sandbox::RealFont(2));
  MessageBoxWatch boxes;

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_EQ(1u, boxes.Shown().size());
  EXPECT_EQ("2 new TrueType fonts are now available.", boxes.Shown()[0].text);
  EXPECT_EQ(watch_.dialog, boxes.Shown()[0].owner);
  // During the first pump: both lines empty, the bar hidden.
  ASSERT_TRUE(watch_.probed);
  EXPECT_EQ("", watch_.probeFontLine);
  EXPECT_EQ("", watch_.probeFileLine);
  EXPECT_FALSE(watch_.probeBarVisible);
  // The lines show each font in turn, its name and its upper-case file name.
  EXPECT_EQ((std::vector<std::string>{"Quillbox Stat Serif", "Quillbox Stat Mono"}),
            Texts(watch_.fontLines));
  EXPECT_EQ((std::vector<std::string>{"QBSTA.TTF", "QBSTB.TTF"}), Texts(watch_.fileLines));
  // Each font begins at least 500 ms after the run began or after the previous font.
  ASSERT_EQ(2u, watch_.fontLines.size());
  ASSERT_EQ(2u, watch_.barTicks.size());
  EXPECT_GE(watch_.fontLines[0].first - watch_.runStart, 500u);
  EXPECT_GE(watch_.fontLines[1].first - watch_.barTicks[0], 500u);
  // The last update shows the bar at its full width.
  EXPECT_EQ(301, watch_.fullBarWidth);
  EXPECT_EQ(watch_.fullBarWidth, watch_.barWidths.back());
  EXPECT_EQ("QBSTA.Fot", sandbox_.FontsKey("Quillbox Stat Serif"));
  EXPECT_EQ("QBSTB.Fot", sandbox_.FontsKey("Quillbox Stat Mono"));
}

// Cancel clicked with the mouse (real input through the X server) while the second font's pump
// runs: that pump ends the dialog and the run, the summary counts the first font only.
TEST_F(StatWineTest, CancelDuringAPumpStopsTheRunAfterThatPump) {
  AddFont("qbstc.ttf", "Quillbox Stat Sans", Sandbox::RealFont(0));
  AddFont("qbstd.ttf", "Quillbox Stat Serif Two", Sandbox::RealFont(4));
  AddFont("qbste.ttf", "Quillbox Stat Mono Two", Sandbox::RealFont(5));
  MessageBoxWatch boxes;
  DWORD clicked = 0;
  watch_.afterFirstUpdate = [&] {
    RECT button;
    GetWindowRect(GetDlgItem(watch_.dialog, IDCANCEL), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    clicked = GetTickCount();
  };

  EXPECT_EQ(0, RunStatDialog(owner_));

  ASSERT_NE(0u, clicked);
  EXPECT_EQ(1, watch_.stopsRetrieved);
  ASSERT_EQ(1u, boxes.Shown().size());
  EXPECT_EQ("1 new TrueType font is now available.", boxes.Shown()[0].text);
  // No font after the first was begun, and the bar kept the first font's share.
  EXPECT_EQ((std::vector<std::string>{"Quillbox Stat Sans"}), Texts(watch_.fontLines));
  EXPECT_EQ(1u, watch_.barWidths.size());
  EXPECT_EQ("QBSTC.Fot", sandbox_.FontsKey("Quillbox Stat Sans"));
  EXPECT_EQ("", sandbox_.FontsKey("Quillbox Stat Serif Two"));
  EXPECT_FALSE(sandbox_.Exists(sandbox_.InSystemDir("QBSTD.TTF")));
  EXPECT_FALSE(sandbox_.Exists(sandbox_.InSystemDir("QBSTE.TTF")));
}

ULONGLONG Milliseconds(const FILETIME &time) {
  return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

// The pump polls without waiting: it keeps the thread busy for its whole 500 ms. Under Wine much
// of each poll is spent in the wineserver, which the thread's own times do not include.
TEST_F(StatWineTest, PumpPollsForItsWholeTime) {
  FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelBefore, &userBefore);
  const DWORD start = GetTickCount();
  EXPECT_EQ(1, PumpMessages(owner_));
  const DWORD wall = GetTickCount() - start;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelAfter, &userAfter);
  const ULONGLONG user = Milliseconds(userAfter) - Milliseconds(userBefore);
  const ULONGLONG kernel = Milliseconds(kernelAfter) - Milliseconds(kernelBefore);
  std::printf("pump: %lu ms on the clock, %llu ms user and %llu ms kernel time in the thread\n",
              static_cast<unsigned long>(wall), user, kernel);
  EXPECT_GE(wall, 500u);
  EXPECT_LT(wall, 1000u);
}

}  // namespace
