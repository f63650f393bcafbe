// The run's host for the tests of the run alone: PumpMessages, CaptureStatBar and UpdateStatBar
// as recorders with scripted answers, in place of the progress dialog's.
#include "run/run_host_double.h"

#include "install/run_host.h"

namespace run_host {
namespace {

std::vector<Call> calls;
std::vector<int> script;
size_t scriptNext = 0;
std::function<void()> duringPump;

}  // namespace

void Reset() {
  calls.clear();
  script.clear();
  scriptNext = 0;
  duringPump = nullptr;
}

void AnswerPumps(const std::vector<int> &answers) {
  script = answers;
  scriptNext = 0;
}

void DuringPump(std::function<void()> action) {
  duringPump = std::move(action);
}

const std::vector<Call> &Calls() {
  return calls;
}

int Count(Call::Kind kind) {
  int count = 0;
  for (const Call &call : calls) count += call.kind == kind ? 1 : 0;
  return count;
}

std::vector<int> Percents() {
  std::vector<int> percents;
  for (const Call &call : calls) {
    if (call.kind == Call::Update) percents.push_back(call.percent);
  }
  return percents;
}

}  // namespace run_host

int PumpMessages(HWND dialog) {
  run_host::calls.push_back({run_host::Call::Pump, dialog, 0});
  if (run_host::duringPump) run_host::duringPump();
  if (run_host::scriptNext < run_host::script.size()) {
    return run_host::script[run_host::scriptNext++];
  }
  return 1;
}

void CaptureStatBar(HWND dialog) {
  run_host::calls.push_back({run_host::Call::Capture, dialog, 0});
}

void UpdateStatBar(HWND dialog, int percent) {
  run_host::calls.push_back({run_host::Call::Update, dialog, percent});
}
