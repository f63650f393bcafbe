// Running the program in process with a script; see program_run.h.
#include "shell/win/program_run.h"

#include "catalog/font_table.h"
#include "shell/app_main.h"
#include "shell/font_wind.h"
#include "shell/globals.h"

namespace {

std::function<void()> pendingScript;
bool ended;

// A thread timer's message comes only when the queue is empty: the start's posted requests are
// handled by then, and the selection dialog is open.
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(NULL, timer);
  std::function<void()> script = pendingScript;
  pendingScript = nullptr;
  if (script) script();
  if (!ended && OwnerWindow() != NULL) PostMessageA(OwnerWindow(), WM_CLOSE, 0, 0);
}

}  // namespace

int RunProgramWith(const char *tail, int showCommand, const std::function<void()> &script) {
  // The program's globals as a fresh process has them.
  hFontDial = NULL;
  ShowDeleteOption = 0;
  DeleteOriginals = 0;
  ended = false;
  pendingScript = script;
  UINT_PTR timer = script ? SetTimer(NULL, 0, 10, RunScript) : 0;
  HINSTANCE instance = GetModuleHandleA(NULL);
  int exitCode = RunProgram(instance, tail, showCommand);
  if (pendingScript) KillTimer(NULL, timer);  // the loop never ran
  pendingScript = nullptr;
  // The class outlives the program in this process, and the next start registers it again.
  UnregisterClassA(OwnerClassName, instance);
  // The program has freed the table and left its handle behind.
  FontList = NULL;
  FontCount = 0;
  return exitCode;
}

bool Pump() {
  MSG message;
  while (!ended && PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ended = true;
      PostQuitMessage((int)message.wParam);
    } else if (!(hFontDial && IsDialogMessageA(hFontDial, &message))) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return !ended;
}

HWND OwnerWindow() {
  return FindWindowA(OwnerClassName, AppCaption);
}
