// A record of the messages that the tests' own windows receive, built from plain Win32 calls so
// that the same test checks winsim natively and the real USER32 under Wine. In the manner of
// Wine's message tests: the test names its windows, says which messages carry the contract, then
// flush -> act -> compare against a table of {window, message, flags, wParam, lParam}; a mismatch
// prints both sequences. A WH_GETMESSAGE hook tells posted messages (taken from the queue by any
// loop, the modal ones included) from sent ones.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

enum MessageFlags : unsigned {
  sent = 1u << 0,      // reached the window procedure directly
  posted = 1u << 1,    // taken from the queue and dispatched
  wparam = 1u << 2,    // compare wParam
  lparam = 1u << 3,    // compare lParam
  optional = 1u << 4,  // may be missing
};

struct ExpectedMessage {
  const char *window;  // as named with MessageLog::Name; nullptr for any
  UINT message;
  unsigned flags;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class MessageLog {
 public:
  // Records only the listed messages (those that carry a contract); WM_QUIT is recorded when
  // listed and a loop takes it.
  explicit MessageLog(std::initializer_list<UINT> watched);
  ~MessageLog();
  MessageLog(const MessageLog &) = delete;
  MessageLog &operator=(const MessageLog &) = delete;

  void Name(HWND hwnd, const char *name);
  // Called by the tests' window and dialog procedures for every message they receive.
  static void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  void Flush();
  testing::AssertionResult Matches(const std::vector<ExpectedMessage> &expected) const;
  size_t Count(const char *window, UINT message) const;

 private:
  struct Entry {
    HWND hwnd;
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
  };
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);
  std::string NameOf(HWND hwnd) const;
  std::string Describe(const Entry &entry) const;
  std::string Describe(const ExpectedMessage &expected) const;
  bool Watched(UINT message) const;

  std::vector<UINT> watched_;
  std::vector<std::pair<HWND, std::string>> names_;
  std::vector<Entry> entries_;
  MSG pending_ = {};  // the last message a loop took, until its window procedure sees it
  bool hasPending_ = false;
  HHOOK hook_ = nullptr;
};

#define EXPECT_MESSAGES(log, ...) EXPECT_TRUE((log).Matches(__VA_ARGS__))
