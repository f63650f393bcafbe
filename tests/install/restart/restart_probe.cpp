// The Windows side of the restart test, one program built for both bitnesses:
//   restart_probe install QUILLBOX_EXE   starts the program, selects every font, installs, prints
//                                        the summary and takes it; exit 0 when there was one
//   restart_probe find FACE              exit 0 when a font of that face is in this process's list
// The program is driven through its own buttons by messages, as a click would press them.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "resource.h"

namespace {

constexpr char Caption[] = "TrueType Fonts Installation";
constexpr int SelectAllId = IDC_SELECTALL;

// Waits up to 60 s (the 32-bit program may run under an emulator) for a top-level window of the
// process with that caption, for which accept holds.
HWND WaitForWindow(DWORD process, bool (*accept)(HWND)) {
  for (int i = 0; i < 600; i++) {
    for (HWND window = FindWindowExA(NULL, NULL, NULL, Caption); window != NULL;
         window = FindWindowExA(NULL, window, NULL, Caption)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process && IsWindowVisible(window) && accept(window)) return window;
    }
    Sleep(100);
  }
  return NULL;
}

bool IsSelectionDialog(HWND window) {
  return GetDlgItem(window, SelectAllId) != NULL;
}

bool IsMessageBox(HWND window) {
  return GetDlgItem(window, 0xFFFF) != NULL && GetDlgItem(window, SelectAllId) == NULL;
}

int Install(const char *program) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  char commandLine[MAX_PATH + 2];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
  if (!CreateProcessA(program, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
    std::printf("cannot start %s\n", program);
    return 2;
  }
  int result = 1;
  HWND dialog = WaitForWindow(info.dwProcessId, IsSelectionDialog);
  if (dialog != NULL) {
    SendMessageA(GetDlgItem(dialog, SelectAllId), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    HWND box = WaitForWindow(info.dwProcessId, IsMessageBox);
    char text[200] = "";
    if (box != NULL) GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("summary: %s\n", text);
    if (box != NULL) result = 0;
    if (box != NULL) PostMessageA(box, WM_COMMAND, IDOK, 0);
  } else {
    std::printf("no selection dialog\n");
  }
  if (WaitForSingleObject(info.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 3);
    result = 1;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}

int CALLBACK NoteFace(const LOGFONTA *, const TEXTMETRICA *, DWORD, LPARAM found) {
  *reinterpret_cast<bool *>(found) = true;
  return 0;
}

int Find(const char *face) {
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::snprintf(wanted.lfFaceName, sizeof wanted.lfFaceName, "%s", face);
  bool found = false;
  HDC screen = GetDC(NULL);
  EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(NULL, screen);
  std::printf("%s: %s\n", face, found ? "found" : "not found");
  return found ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "install") == 0) return Install(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "find") == 0) return Find(argv[2]);
  std::printf("usage: restart_probe install QUILLBOX_EXE | find FACE\n");
  return 2;
}
