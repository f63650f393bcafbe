// The shell tests' fixture on the host; see shell_fixture.h.
#include "shell/host/shell_fixture.h"

#include "catalog/font_table.h"
#include "common/host/fresh_globals.h"
#include "install/stat_dialog.h"
#include "shell/app_main.h"
#include "shell/font_wind.h"
#include "shell/globals.h"
#include "winsim/sim.h"

#include <algorithm>

namespace user32 = winsim::user32;

const std::vector<std::string> OwnerContractCalls = {
    "FindWindowA",  "GetLastActivePopup", "BringWindowToTop", "LoadIconA",
    "LoadCursorA",  "RegisterClassA",     "CreateWindowExA",  "ShowWindow",
    "UpdateWindow", "GetWindowRect",      "GetSystemMetrics", "MoveWindow",
    "IsIconic",     "PostMessageA",       "PostQuitMessage",  "DestroyWindow",
    "MessageBeep",  "CreateDialogParamA", "DefWindowProcA",
};

const std::vector<UINT> OwnerPassesOn = {WM_CREATE, WM_DESTROY, WM_CLOSE, WM_WINDOWPOSCHANGING,
                                         WM_SYSCOMMAND};

void ShellTest::SetUp() {
  NewMachine();
}

void ShellTest::NewMachine() {
  sandbox.reset();  // one machine at a time: the old one ends before the new one starts
  sandbox = std::make_unique<Sandbox>();
  owner = nullptr;
  dialog = nullptr;
  ResetProgramGlobals();
}

void ShellTest::TearDown() {
  EXPECT_EQ(leftoverIdleActions, user32::PendingIdleActions())
      << "the program ended before the test's actions";
  sandbox.reset();
}

void ShellTest::WriteListAndFonts() {
  sandbox->WriteFile(sandbox->InProgramDir("QBSANS.TTF"), Sandbox::RealFont(0));
  sandbox->WriteFile(sandbox->InProgramDir("QBSERIF.TTF"), Sandbox::RealFont(1));
  sandbox->WriteFile(sandbox->InProgramDir("Quillbox.Lst"),
                     "QBSANS.TTF Quillbox Test Sans\r\nQBSERIF.TTF Quillbox Test Serif\r\n");
}

int ShellTest::Run(const char *commandLine, int showCommand) {
  return RunProgram(sandbox->Instance(), commandLine, showCommand);
}

void ShellTest::FindWindows() {
  owner = FindWindowA(OwnerClassName, Caption);
  dialog = hFontDial;
}

std::string ShellTest::Name(HWND hwnd) const {
  if (hwnd == nullptr) return "null";
  if (hwnd == owner) return "owner";
  if (hwnd == dialog) return "dialog";
  return "other";
}

std::string Call(const char *name, const char *window, const std::vector<intptr_t> &args,
                 const char *text) {
  std::string written = std::string(name) + "(" + window;
  for (intptr_t arg : args) written += ", " + (arg == Pointer ? "ptr" : std::to_string(arg));
  if (text) written += ", \"" + std::string(text) + "\"";
  return written + ")";
}

std::vector<std::string> ShellTest::CallsSince(size_t mark, const std::vector<std::string> &names,
                                               const std::vector<UINT> &defaults) const {
  std::vector<std::string> written;
  const std::vector<user32::Call> &calls = user32::Calls();
  for (size_t i = mark; i < calls.size(); i++) {
    const user32::Call &call = calls[i];
    if (std::find(names.begin(), names.end(), call.name) == names.end()) continue;
    if (Name(call.hwnd) == "other") continue;
    bool isDefault = call.name == "DefWindowProcA";
    if (isDefault &&
        std::find(defaults.begin(), defaults.end(), (UINT)call.args[0]) == defaults.end())
      continue;
    std::vector<intptr_t> args = call.args;
    // The lParam handed on to DefWindowProcA may point to a structure: not comparable.
    if (isDefault && (args[2] > 0xFFFF || args[2] < -0xFFFF)) args[2] = Pointer;
    std::string window = Name(call.hwnd);
    written.push_back(Call(call.name.c_str(), window.c_str(), args,
                           call.text.empty() ? nullptr : call.text.c_str()));
  }
  return written;
}

int ShellTest::CountCalls(size_t mark, const std::string &name) const {
  return static_cast<int>(CallsSince(mark, {name}).size());
}
