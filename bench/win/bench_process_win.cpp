// Starting Quillbox.exe and finding its windows by process: the selection dialog is the visible
// dialog that holds the font list, a message box the visible dialog with a message box's text
// and icon controls.
#include "bench_process_win.h"

#include <vector>

namespace {

constexpr int FontListId = 100;        // IDC_FONTLIST
constexpr int MessageTextId = 0xFFFF;  // a message box's text (the program's own statics too)
// The icon control: id 20 in Windows' message box template, stc1 (0x440) in Wine's.
constexpr int MessageIconIds[] = {0x0014, 0x0440};

struct DialogSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK NoteDialog(HWND window, LPARAM data) {
  DialogSearch *search = reinterpret_cast<DialogSearch *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0)
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
  DialogSearch search = {processId, {}};
  EnumWindows(NoteDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool StartProgram(const std::string &exePath, StartedProgram *program) {
  std::string command = "\"" + exePath + "\"";
  std::string folder = exePath.substr(0, exePath.find_last_of('\\') + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(exePath.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                      &startup, &info))
    return false;
  CloseHandle(info.hThread);
  program->process = info.hProcess;
  program->id = info.dwProcessId;
  return true;
}

HWND FindSelectionDialog(const StartedProgram &program) {
  for (HWND dialog : VisibleDialogsOf(program.id))
    if (GetDlgItem(dialog, FontListId) != NULL) return dialog;
  return NULL;
}

HWND FindMessageBox(const StartedProgram &program, std::string *text) {
  for (HWND dialog : VisibleDialogsOf(program.id)) {
    HWND control = GetDlgItem(dialog, MessageTextId);
    if (control == NULL || GetDlgItem(dialog, FontListId) != NULL) continue;
    if (GetDlgItem(dialog, MessageIconIds[0]) == NULL &&
        GetDlgItem(dialog, MessageIconIds[1]) == NULL)
      continue;
    char buffer[256] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    *text = buffer;
    return dialog;
  }
  return NULL;
}

void EndProgram(StartedProgram *program, DWORD ms) {
  if (program->process == NULL) return;
  if (WaitForSingleObject(program->process, ms) != WAIT_OBJECT_0) {
    TerminateProcess(program->process, 1);
    WaitForSingleObject(program->process, 5000);
  }
  CloseHandle(program->process);
  program->process = NULL;
}
