// The window manager's one desk: its reset, window and class lookup, the program-call record and
// the boundary between winsim's own code and the code it calls (procedures, hooks, tests).
#include "user32_internal.h"

#include <cstdio>
#include <strings.h>

#include "sim_state.h"

namespace winsim::user32::internal {

namespace {

Desk *desk = nullptr;
// Destroyed windows stay allocated until the next reset, so that code still running for a window
// it destroyed never reads freed memory; lookups never return them.
std::vector<std::unique_ptr<Window>> graveyard;
// How deep winsim is inside its own API: 0 while program (or test) code runs.
int depth = 0;

// MessageBoxA itself (with its record and answer queue) is winsim's KERNEL32 part; the box's
// window and modal loop are ours, plugged in through this hook.
int MessageBoxLoop(HWND owner, const MessageBoxRecord &box, int answer) {
  Entry entry("MessageBoxA", owner, {(intptr_t)box.style}, box.text.c_str());
  return RunMessageBox(owner, box, answer);
}

void ResetDesk() {
  if (desk) DiscardAll();
  delete desk;
  desk = new Desk;
  graveyard.clear();
  depth = 0;
  RegisterBuiltinClasses();
  detail::messageBoxLoopHook = &MessageBoxLoop;
}

const bool registered = (detail::AddResetHook(&ResetDesk), true);

}  // namespace

Desk &TheDesk() {
  detail::Machine();  // aborts without a machine
  if (!desk) detail::Unsupported("the window manager before winsim::Reset");
  return *desk;
}

Window *Find(HWND hwnd) {
  if (!hwnd) return nullptr;
  Desk &d = TheDesk();
  auto it = d.windows.find(hwnd);
  return it == d.windows.end() ? nullptr : it->second.get();
}

void Bury(HWND hwnd) {
  Desk &d = TheDesk();
  auto it = d.windows.find(hwnd);
  if (it == d.windows.end()) return;
  graveyard.push_back(std::move(it->second));
  d.windows.erase(it);
}

bool SameTextIgnoringCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

LRESULT CallWindowProcedure(Window *window, UINT message, WPARAM wParam, LPARAM lParam,
                            bool posted) {
  Desk &d = TheDesk();
  HWND hwnd = window->handle;
  WNDPROC proc = window->proc;
  d.messages.push_back({hwnd, message, wParam, lParam, posted});
  if (window->windowClass->kind != Kind::Program) return proc(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  CallOutside([&] { result = proc(hwnd, message, wParam, lParam); });
  return result;
}

void CallOutside(const std::function<void()> &call) {
  int saved = depth;
  depth = 0;
  call();
  depth = saved;
}

Entry::Entry(const char *name, HWND hwnd, std::vector<intptr_t> args, const char *text)
    : fromProgram_(depth == 0), record_(0) {
  Desk &d = TheDesk();
  depth++;
  if (!fromProgram_) return;
  record_ = d.calls.size();
  d.calls.push_back({name, hwnd, std::move(args), text ? text : "", false});
}

Entry::~Entry() {
  depth--;
}

Quiet::Quiet() {
  TheDesk();
  depth++;
}

Quiet::~Quiet() {
  depth--;
}

bool Entry::ShouldFail(Operation operation) {
  if (!fromProgram_) return false;
  Desk &d = TheDesk();
  FaultPlan &plan = d.faults[static_cast<int>(operation)];
  int call = ++plan.calls;
  if (plan.nth == 0 || call < plan.nth) return false;
  if (plan.times == Times::Once && call != plan.nth) return false;
  d.faultFired = true;
  d.calls[record_].failedByTest = true;
  return true;
}

}  // namespace winsim::user32::internal

namespace winsim::user32 {
using namespace internal;

const std::vector<Message> &Messages() {
  return TheDesk().messages;
}

std::vector<Message> MessagesFor(HWND hwnd) {
  std::vector<Message> result;
  for (const Message &m : TheDesk().messages) {
    if (m.hwnd == hwnd) result.push_back(m);
  }
  return result;
}

const std::vector<Call> &Calls() {
  return TheDesk().calls;
}

std::vector<Call> CallsNamed(const std::string &name) {
  std::vector<Call> result;
  for (const Call &c : TheDesk().calls) {
    if (c.name == name) result.push_back(c);
  }
  return result;
}

void ClearRecords() {
  TheDesk().messages.clear();
  TheDesk().calls.clear();
}

std::string Describe(const Message &m) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%s %s to %p wParam=%#llx lParam=%#llx",
                internal::MessageName(m.message).c_str(), m.posted ? "posted" : "sent",
                (void *)m.hwnd, (unsigned long long)m.wParam, (unsigned long long)m.lParam);
  return buffer;
}

std::string Describe(const Call &c) {
  std::string text = c.name + "(";
  bool first = true;
  if (c.hwnd) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", (void *)c.hwnd);
    text += buffer;
    first = false;
  }
  for (intptr_t arg : c.args) {
    if (!first) text += ", ";
    text += std::to_string(arg);
    first = false;
  }
  if (!c.text.empty()) text += std::string(first ? "" : ", ") + "\"" + c.text + "\"";
  text += ")";
  if (c.failedByTest) text += " failed by the test";
  return text;
}

std::string MessageName(UINT message) {
  return internal::MessageName(message);
}

void Fail(Operation operation, int nth, Times times) {
  FaultPlan &plan = TheDesk().faults[static_cast<int>(operation)];
  plan.nth = plan.calls + nth;
  plan.times = times;
}

int CallCount(Operation operation) {
  return TheDesk().faults[static_cast<int>(operation)].calls;
}

bool FaultFired() {
  return TheDesk().faultFired;
}

void ClearUserFaults() {
  for (FaultPlan &plan : TheDesk().faults) plan.nth = 0;
  TheDesk().faultFired = false;
}

void SetScreenSize(int width, int height) {
  TheDesk().screenWidth = width;
  TheDesk().screenHeight = height;
}

void SetScrollBarSize(int verticalWidth, int horizontalHeight) {
  TheDesk().scrollWidth = verticalWidth;
  TheDesk().scrollHeight = horizontalHeight;
}

void SetDialogBaseUnits(int x, int y) {
  TheDesk().fontUnitX = x;
  TheDesk().fontUnitY = y;
}

void WhenIdle(std::function<void()> action) {
  TheDesk().idleActions.push_back(std::move(action));
}

size_t PendingIdleActions() {
  return TheDesk().idleActions.size();
}

void OnMessageBox(std::function<void(HWND, const MessageBoxRecord &)> hook) {
  TheDesk().messageBoxHook = std::move(hook);
}

size_t QueuedMessages() {
  return TheDesk().queue.size();
}

std::vector<HWND> TopLevelWindows() {
  return TheDesk().topLevel;
}

int LiveWindows() {
  return static_cast<int>(TheDesk().windows.size());
}

}  // namespace winsim::user32
