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

bool IsContract(UINT message) {
  return message == WM_INITDIALOG || message == WM_SHOWWINDOW || message == WM_COMMAND ||
         message == WM_RUNINSTALL || message == WM_STOPINSTALL;
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

std::vector<winsim::user32::Message> ContractMessages(HWND dialog) {
  std::vector<winsim::user32::Message> found;
  for (const winsim::user32::Message &message : winsim::user32::Messages()) {
    if (message.hwnd == dialog && IsContract(message.message)) found.push_back(message);
  }
  return found;
}

void ExpectSequence(HWND dialog, const std::vector<Expected> &expected) {
  std::vector<winsim::user32::Message> actual = ContractMessages(dialog);
  size_t next = 0;
  bool same = true;
  for (const Expected &entry : expected) {
    bool matches = next < actual.size() && actual[next].message == entry.message &&
                   actual[next].posted == entry.posted &&
                   (entry.wParam == AnyWParam || actual[next].wParam == entry.wParam);
    if (matches) {
      next++;
    } else if (!entry.optional) {
      same = false;
      break;
    }
  }
  if (same && next == actual.size()) return;
  std::string text = "expected:\n";
  for (const Expected &entry : expected) {
    text += "  " + winsim::user32::MessageName(entry.message) +
            (entry.posted ? " posted" : " sent") + " wParam=" +
            (entry.wParam == AnyWParam ? std::string("any") : std::to_string(entry.wParam)) +
            (entry.optional ? " (optional)" : "") + "\n";
  }
  text += "actual:\n";
  for (const winsim::user32::Message &message : actual) {
    text += "  " + winsim::user32::Describe(message) + "\n";
  }
  ADD_FAILURE() << text;
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
