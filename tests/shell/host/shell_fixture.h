// What the host tests of the program entry and the owner window share: a sandbox with a list file
// and two fonts, the whole program run through RunProgram against winsim's window manager, and
// the program's USER32 calls written out with the windows named, for comparison with expected
// sequences ("ShowWindow(dialog, 5)").
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/sandbox.h"
#include "winsim/user32_sim.h"

// The owner window's calls that make up its contract (queries and default handling included).
extern const std::vector<std::string> OwnerContractCalls;
// The messages that the owner window handles and then passes on to DefWindowProcA.
extern const std::vector<UINT> OwnerPassesOn;

// An expected call as CallsSince writes it; Pointer stands for DefWindowProcA's pointer lParam.
constexpr intptr_t Pointer = INTPTR_MIN;
std::string Call(const char *name, const char *window, const std::vector<intptr_t> &args = {},
                 const char *text = nullptr);

class ShellTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh machine and fresh program globals, for each row of a table-driven test.
  void NewMachine();
  // Quillbox.Lst naming two fonts that lie beside the program.
  void WriteListAndFonts();

  // Runs the program to its end; the test acts through Idle() actions queued beforehand.
  int Run(const char *commandLine = "", int showCommand = SW_SHOWNORMAL);
  // Queues an action for the next moment the program waits for the user (see WhenIdle).
  void Idle(std::function<void()> action) { winsim::user32::WhenIdle(std::move(action)); }

  // Looks up the owner window and the selection dialog; call from an Idle() action.
  void FindWindows();

  // The program's calls since the mark, of the given names only, each written as
  // "Name(window, arg, ...)" with the owner window, the selection dialog and null named, other
  // windows as "other", and a text argument in quotes at the end.
  // Calls on other windows (the dialog's controls) are left out, and DefWindowProcA is kept only
  // for the messages in defaults.
  size_t Mark() const { return winsim::user32::Calls().size(); }
  std::vector<std::string> CallsSince(size_t mark,
                                      const std::vector<std::string> &names = OwnerContractCalls,
                                      const std::vector<UINT> &defaults = OwnerPassesOn) const;
  int CountCalls(size_t mark, const std::string &name) const;
  std::string Name(HWND hwnd) const;

  std::unique_ptr<Sandbox> sandbox;
  size_t leftoverIdleActions = 0;  // fallback actions a passing test leaves unused
  HWND owner = nullptr;
  HWND dialog = nullptr;
};

inline const char *const Caption = "TrueType Fonts Installation";
