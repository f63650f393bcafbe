// Host helpers for driving a modal progress dialog through winsim: acting at the moment the
// run's pump polls, and reading back what reached the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winsim/user32_sim.h"

// Runs action(dialog) at the first idle moment after the run has begun (the dialog has been
// dispatched WM_RUNINSTALL), which is a poll of PumpMessages; earlier idle moments pass.
void WhenRunPolls(std::function<HWND()> findDialog, std::function<void(HWND)> action);

// An entry of an expected message sequence; wParam AnyWParam matches every value.
constexpr WPARAM AnyWParam = ~static_cast<WPARAM>(0);
struct Expected {
  UINT message;
  bool posted;
  WPARAM wParam;
  bool optional = false;  // incidental: may be missing from what was recorded
};

// Compares the messages that carry the dialog's contract (WM_INITDIALOG, WM_SHOWWINDOW,
// WM_COMMAND, WM_RUNINSTALL, WM_STOPINSTALL) as they reached dialog with expected, and prints
// both sequences on a mismatch.
void ExpectSequence(HWND dialog, const std::vector<Expected> &expected);
// The window that received the first WM_INITDIALOG: the progress dialog, which is created before
// any message box of its run (destroyed or not by now).
HWND FirstInitDialog();
int CallCount(const std::string &name, HWND hwnd);
