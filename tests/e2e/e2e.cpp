// End to end: the built Quillbox.exe as a process of its own in Wine's desktop, driven with real
// input (keybd_event and mouse_event become X input): its own message loop with Enter and Tab,
// the task bar, the minimise and close boxes, and a second start. Writes "ok", or the failed
// checks, to RESULT.   e2e FOLDER RESULT, where FOLDER holds Quillbox.exe, its list and two fonts.
#include <windows.h>

#include <fstream>
#include <string>

#include "resource.h"

namespace {

std::string failures, folder;  // folder ends in a backslash

// Polls for up to 10 s, keeping the driver's own window answering meanwhile.
template <class Done>
bool Expect(const char *what, Done done) {
  for (int waited = 0; !done(); waited += 50, Sleep(50)) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (waited > 10000) return failures += std::string("FAIL: ") + what + "\n", false;
  }
  return true;
}

// A shown dialog of the program with a control of that id; id 0: a message box.
HWND Find(int id) {
  for (HWND w = NULL; (w = FindWindowExA(NULL, w, "#32770", NULL)) != NULL;) {
    bool box = !GetDlgItem(w, IDC_SELECTALL) && !GetDlgItem(w, IDC_PROGRESS);
    if (IsWindowVisible(w) && (id ? GetDlgItem(w, id) != NULL : box)) return w;
  }
  return NULL;
}

// The pointer comes from nearby (Wine's desktop of 1024 x 768 can lose a press right after a
// jump), then presses and lets go.
void ClickAt(int x, int y) {
  for (int off : {2, 0}) {
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ((x + off) * 65536 + 1023) / 1024,
                ((y + off) * 65536 + 767) / 768, 0, 0);
    Sleep(100);
  }
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0), mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(300);
}

// A part of a window's title bar (the minimise or close box), found by asking the window.
void ClickFrame(HWND window, LRESULT part) {
  RECT r;
  GetWindowRect(window, &r);
  for (int y = r.top; y < r.top + 40; y += 2)
    for (int x = r.right - 1; x > r.right - 120; x -= 2)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == part)
        return ClickAt(x - 5, y + 5);
}

// Wine's task bar gives each button its window's handle as id, and updates itself when a
// top-level window comes or goes: the driver makes one come and go first.
void ClickTaskBar() {
  DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0));
  HWND owner = FindWindowA("FontWind", NULL), button = NULL;
  Expect("the task bar shows the program", [&] {
    while ((button = FindWindowExA(FindWindowA("Shell_TrayWnd", NULL), button, "Button", 0)))
      if ((HWND)GetWindowLongPtrA(button, GWLP_ID) == owner && IsWindowVisible(button)) return true;
    return false;
  });
  RECT r = {0, 0, 0, 0};
  GetWindowRect(button, &r);
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Starts the program from its folder; returns its process.
HANDLE Start(int show) {
  STARTUPINFOA startup = {sizeof startup,       0,         0, 0, 0, 0, 0, 0, 0, 0, 0,
                          STARTF_USESHOWWINDOW, (WORD)show};
  PROCESS_INFORMATION info;
  CreateProcessA((folder + "Quillbox.exe").c_str(), NULL, NULL, NULL, FALSE, 0, NULL,
                 folder.c_str(), &startup, &info);
  return info.hProcess;
}

}  // namespace

int main(int, char **argv) {
  folder = argv[1];
  auto exited = [](HANDLE p) {
    DWORD code = 1;
    return GetExitCodeProcess(p, &code) && !code;
  };

  // Started minimised: no dialog until the task bar's button restores the program; the dialog's
  // minimise box hides it, the button brings it back, and its close box ends the program.
  HANDLE first = Start(SW_SHOWMINNOACTIVE);
  HWND owner = NULL, dialog = NULL, box = NULL;
  Sleep(1000);
  Expect("started minimised, without the dialog", [&] {
    return (owner = FindWindowA("FontWind", NULL)) && IsIconic(owner) && !Find(IDC_SELECTALL);
  });
  ClickTaskBar();
  Expect("the task bar restores", [&] { return (dialog = Find(IDC_SELECTALL)) != NULL; });
  ClickFrame(dialog, HTMINBUTTON);
  Expect("the minimise box hides", [&] { return !IsWindowVisible(dialog) && IsIconic(owner); });
  ClickTaskBar();
  Expect("the same dialog comes back", [&] { return Find(IDC_SELECTALL) == dialog; });
  ClickFrame(dialog, HTCLOSE);
  Expect("the close box ends the program", [&] { return exited(first); });

  // A second start raises the running copy over another window and ends. Then keys alone: Enter
  // on Select All, where the focus starts, Tab twice to Install, Enter, and Enter on the summary.
  HANDLE program = Start(SW_SHOWNORMAL);
  Expect("the dialog comes up", [&] { return (dialog = Find(IDC_SELECTALL)) != NULL; });
  HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 700, 0, 0, 0, 0);
  Expect("another window in front", [&] { return SetForegroundWindow(cover) != FALSE; });
  HANDLE second = Start(SW_SHOWNORMAL);
  Expect("the second start raises the running copy and ends",
         [&] { return exited(second) && GetForegroundWindow() == dialog; });
  DestroyWindow(cover);
  for (BYTE key : {VK_RETURN, VK_TAB, VK_TAB, VK_RETURN})
    keybd_event(key, 0, 0, 0), keybd_event(key, 0, KEYEVENTF_KEYUP, 0), Sleep(300);
  Expect("keys start the run", [] { return Find(IDC_PROGRESS) != NULL; });
  Expect("the summary", [&] { return (box = Find(0)) != NULL && GetForegroundWindow() == box; });
  keybd_event(VK_RETURN, 0, 0, 0), keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
  Expect("the program ends after the run", [&] { return exited(program); });
  for (HANDLE left : {first, program, second}) TerminateProcess(left, 1);  // after a failure
  std::ofstream(argv[2], std::ios::binary) << (failures.empty() ? "ok\n" : failures);
}
