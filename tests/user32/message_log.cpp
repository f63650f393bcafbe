// The message record shared by the window manager tests; see message_log.h.
#include "user32/message_log.h"

#include <cstdio>

namespace {

MessageLog *current = nullptr;

const char *KnownName(UINT message) {
  switch (message) {
    case WM_CREATE:
      return "WM_CREATE";
    case WM_DESTROY:
      return "WM_DESTROY";
    case WM_MOVE:
      return "WM_MOVE";
    case WM_SIZE:
      return "WM_SIZE";
    case WM_ACTIVATE:
      return "WM_ACTIVATE";
    case WM_SETFOCUS:
      return "WM_SETFOCUS";
    case WM_KILLFOCUS:
      return "WM_KILLFOCUS";
    case WM_ENABLE:
      return "WM_ENABLE";
    case WM_CLOSE:
      return "WM_CLOSE";
    case WM_QUIT:
      return "WM_QUIT";
    case WM_SHOWWINDOW:
      return "WM_SHOWWINDOW";
    case WM_WINDOWPOSCHANGING:
      return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED:
      return "WM_WINDOWPOSCHANGED";
    case WM_NCCREATE:
      return "WM_NCCREATE";
    case WM_NCDESTROY:
      return "WM_NCDESTROY";
    case WM_INITDIALOG:
      return "WM_INITDIALOG";
    case WM_COMMAND:
      return "WM_COMMAND";
    case WM_SYSCOMMAND:
      return "WM_SYSCOMMAND";
  }
  return nullptr;
}

std::string MessageText(UINT message) {
  if (const char *known = KnownName(message)) return known;
  char buffer[32];
  if (message >= WM_USER) {
    std::snprintf(buffer, sizeof buffer, "WM_USER+%u", message - WM_USER);
  } else {
    std::snprintf(buffer, sizeof buffer, "message 0x%04x", message);
  }
  return buffer;
}

}  // namespace

MessageLog::MessageLog(std::initializer_list<UINT> watched) : watched_(watched) {
  current = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId());
}

MessageLog::~MessageLog() {
  if (hook_) UnhookWindowsHookEx(hook_);
  current = nullptr;
}

void MessageLog::Name(HWND hwnd, const char *name) {
  names_.emplace_back(hwnd, name);
}

bool MessageLog::Watched(UINT message) const {
  for (UINT watched : watched_) {
    if (watched == message) return true;
  }
  return false;
}

std::string MessageLog::NameOf(HWND hwnd) const {
  if (!hwnd) return "thread";
  for (const auto &name : names_) {
    if (name.first == hwnd) return name.second;
  }
  return "";
}

LRESULT CALLBACK MessageLog::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  MessageLog *log = current;
  if (log && code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG *msg = (const MSG *)lParam;
    if (msg->message == WM_QUIT) {
      if (log->Watched(WM_QUIT))
        log->entries_.push_back({nullptr, WM_QUIT, posted, msg->wParam, msg->lParam});
    } else {
      log->pending_ = *msg;
      log->hasPending_ = true;
    }
  }
  return CallNextHookEx(log ? log->hook_ : nullptr, code, wParam, lParam);
}

void MessageLog::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog *log = current;
  if (!log) return;
  unsigned kind = sent;
  if (log->hasPending_ && log->pending_.hwnd == hwnd && log->pending_.message == message &&
      log->pending_.wParam == wParam && log->pending_.lParam == lParam) {
    kind = posted;
    log->hasPending_ = false;
  }
  if (!log->Watched(message) || log->NameOf(hwnd).empty()) return;
  log->entries_.push_back({hwnd, message, kind, wParam, lParam});
}

void MessageLog::Flush() {
  entries_.clear();
  hasPending_ = false;
}

size_t MessageLog::Count(const char *window, UINT message) const {
  size_t count = 0;
  for (const Entry &entry : entries_) {
    if (entry.message == message && NameOf(entry.hwnd) == window) count++;
  }
  return count;
}

std::string MessageLog::Describe(const Entry &entry) const {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%s: %s %s wParam=%#llx lParam=%#llx",
                NameOf(entry.hwnd).c_str(), MessageText(entry.message).c_str(),
                entry.flags & posted ? "posted" : "sent", (unsigned long long)entry.wParam,
                (unsigned long long)entry.lParam);
  return buffer;
}

std::string MessageLog::Describe(const ExpectedMessage &expected) const {
  std::string text =
      std::string(expected.window ? expected.window : "any") + ": " + MessageText(expected.message);
  if (expected.flags & posted) text += " posted";
  if (expected.flags & sent) text += " sent";
  char buffer[64];
  if (expected.flags & wparam) {
    std::snprintf(buffer, sizeof buffer, " wParam=%#llx", (unsigned long long)expected.wParam);
    text += buffer;
  }
  if (expected.flags & lparam) {
    std::snprintf(buffer, sizeof buffer, " lParam=%#llx", (unsigned long long)expected.lParam);
    text += buffer;
  }
  if (expected.flags & optional) text += " (optional)";
  return text;
}

testing::AssertionResult MessageLog::Matches(const std::vector<ExpectedMessage> &expected) const {
  auto same = [&](const ExpectedMessage &want, const Entry &got) {
    if (want.message != got.message) return false;
    if (want.window && NameOf(got.hwnd) != want.window) return false;
    if ((want.flags & (sent | posted)) && !(want.flags & got.flags & (sent | posted))) return false;
    if ((want.flags & wparam) && want.wParam != got.wParam) return false;
    if ((want.flags & lparam) && want.lParam != got.lParam) return false;
    return true;
  };
  size_t i = 0, j = 0;
  std::string problem;
  while (i < expected.size() && problem.empty()) {
    if (j < entries_.size() && same(expected[i], entries_[j])) {
      i++;
      j++;
    } else if (expected[i].flags & optional) {
      i++;
    } else {
      problem = "expected " + Describe(expected[i]) +
                (j < entries_.size() ? ", got " + Describe(entries_[j]) : ", got nothing more");
    }
  }
  if (problem.empty() && j < entries_.size()) problem = "unexpected " + Describe(entries_[j]);
  if (problem.empty()) return testing::AssertionSuccess();
  std::string text = problem + "\nexpected:\n";
  for (const ExpectedMessage &want : expected) text += "  " + Describe(want) + "\n";
  text += "received:\n";
  for (const Entry &got : entries_) text += "  " + Describe(got) + "\n";
  return testing::AssertionFailure() << text;
}
