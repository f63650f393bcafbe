// Host helpers for the progress dialog's tests: acting inside the pump and comparing sequences.
#include "stat/host/stat_run_sim.h"

#include <gtest/gtest.h>

#include "shell/globals.h"

namespace {

bool RunStarted(HWND dialog) {
  for (const winsim::user32::Message &message : winsim::user32::Messages()) {
    if (message.hwnd == dialog && message.message == WM_RUNINSTALL) return true;
  }
  return false;
}

}  // namespace

void WhenRunPolls(std::function<HWND()> findDialog, std::function<void(HWND)> action) {
  winsim::user32::WhenIdle([findDialog, action] {
    HWND dialog = findDialog();
    if (dialog != NULL && RunStarted(dialog)) {
      action(dialog);
    } else {
      // A thread message for the loop to take first, so that the next try waits for the next
      // idle moment instead of running again at once in this one.
      PostMessageA(NULL, WM_NULL, 0, 0);
      WhenRunPolls(findDialog, action);
    }
  });
}

void ExpectSequence(HWND dialog, const std::vector<Expected> &expected) {
  using namespace winsim::user32;
  std::vector<winsim::user32::Expected> table;
  for (const ::Expected &entry : expected) {
    bool anyWParam = entry.wParam == AnyWParam;
    table.push_back({dialog, entry.message,
                     (entry.posted ? Posted : Sent) | (anyWParam ? 0u : WParam) |
                         (entry.optional ? Optional : 0u),
                     anyWParam ? 0 : entry.wParam});
  }
  std::string report = CompareMessages(
      {dialog}, {WM_INITDIALOG, WM_SHOWWINDOW, WM_COMMAND, WM_RUNINSTALL, WM_STOPINSTALL}, table);
  EXPECT_TRUE(report.empty()) << report;
}

HWND FirstInitDialog() {
  for (const winsim::user32::Message &message : winsim::user32::Messages()) {
    if (message.message == WM_INITDIALOG) return message.hwnd;
  }
  return NULL;
}

int CallCount(const std::string &name, HWND hwnd) {
  int count = 0;
  for (const winsim::user32::Call &call : winsim::user32::CallsNamed(name)) {
    count += call.hwnd == hwnd ? 1 : 0;
  }
  return count;
}
