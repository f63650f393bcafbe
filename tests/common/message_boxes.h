// Message boxes shown by the code under test: each is recorded with its owner, text, caption and
// style, and answered from a queue (IDOK when the queue is empty), so that a test can run code
// that asks the user and then check exactly what was asked. On the host winsim keeps the record;
// under Wine a hook on the test's thread reads each box as it opens and presses the answer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ShownMessageBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT style;  // buttons and icon (MB_OKCANCEL | MB_ICONWARNING, ...)
};

// One watch at a time; it sees the boxes shown while it lives.
class MessageBoxWatch {
 public:
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch &) = delete;
  MessageBoxWatch &operator=(const MessageBoxWatch &) = delete;

  // The button the next unanswered box gets (IDOK, IDCANCEL, ...).
  void Answer(int button);
  std::vector<ShownMessageBox> Shown() const;

 private:
  struct State;
  State *state_;
};
