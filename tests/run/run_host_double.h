// Plays the progress dialog's part in a run: the pump before each font, the bar capture and the
// bar updates. Records every call in order and answers the pump from a script, so that a test can
// stop the run before any font it likes without a real dialog or real time passing.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace run_host {

struct Call {
  enum Kind { Capture, Pump, Update };
  Kind kind;
  HWND dialog;
  int percent;  // Update only
};

// Forgets the calls and the script; every pump answers 1 until told otherwise.
void Reset();
// The answers of the next pumps, in order; once they are used up every pump answers 1.
void AnswerPumps(const std::vector<int> &answers);
// Runs inside every pump, before it answers (for looking at the state the run is in).
void DuringPump(std::function<void()> action);

const std::vector<Call> &Calls();
int Count(Call::Kind kind);
std::vector<int> Percents();  // the percentages of the updates, in order

}  // namespace run_host
