// Compares recorded messages with an expected sequence, as Wine's message tests do: entries
// marked optional may be missing, nothing unexpected may appear, and a mismatch shows both.
#include "user32_internal.h"

#include <algorithm>
#include <cstdio>

namespace winsim::user32 {

namespace {

std::string Describe(const Expected &expected) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%s%s to %p",
                internal::MessageName(expected.message).c_str(),
                expected.flags & Posted ? " posted"
                : expected.flags & Sent ? " sent"
                                        : "",
                (void *)expected.hwnd);
  std::string text = buffer;
  if (expected.flags & WParam) {
    std::snprintf(buffer, sizeof buffer, " wParam=%#llx", (unsigned long long)expected.wParam);
    text += buffer;
  }
  if (expected.flags & LParam) {
    std::snprintf(buffer, sizeof buffer, " lParam=%#llx", (unsigned long long)expected.lParam);
    text += buffer;
  }
  if (expected.flags & Optional) text += " (optional)";
  return text;
}

bool Same(const Expected &want, const Message &got) {
  if (want.hwnd != got.hwnd || want.message != got.message) return false;
  if ((want.flags & Posted) && !got.posted) return false;
  if ((want.flags & Sent) && got.posted) return false;
  if ((want.flags & WParam) && want.wParam != got.wParam) return false;
  if ((want.flags & LParam) && want.lParam != got.lParam) return false;
  return true;
}

}  // namespace

std::string CompareMessages(const std::vector<HWND> &windows, const std::vector<UINT> &watched,
                            const std::vector<Expected> &expected) {
  std::vector<Message> actual;
  for (const Message &m : Messages()) {
    if (std::find(windows.begin(), windows.end(), m.hwnd) == windows.end()) continue;
    if (std::find(watched.begin(), watched.end(), m.message) == watched.end()) continue;
    actual.push_back(m);
  }
  size_t i = 0, j = 0;
  std::string problem;
  while (i < expected.size() && problem.empty()) {
    if (j < actual.size() && Same(expected[i], actual[j])) {
      i++;
      j++;
    } else if (expected[i].flags & Optional) {
      i++;
    } else {
      problem = "expected " + Describe(expected[i]) +
                (j < actual.size() ? ", got " + Describe(actual[j]) : ", got nothing more");
    }
  }
  if (problem.empty() && j < actual.size()) problem = "unexpected " + Describe(actual[j]);
  if (problem.empty()) return "";
  std::string text = problem + "\nexpected:\n";
  for (const Expected &want : expected) text += "  " + Describe(want) + "\n";
  text += "received:\n";
  for (const Message &got : actual) text += "  " + Describe(got) + "\n";
  return text;
}

}  // namespace winsim::user32
