// End to end: the built Quillbox.exe as a process of its own in Wine's desktop, driven with real
// input (SendInput becomes X input): its own message loop with Enter and Tab, the task bar, the
// minimise and close boxes, and a second start. Writes "ok", or the failed checks, to RESULT.
//   e2e QUILLBOX_EXE RESULT
#include <windows.h>

#include <cstdio>
#include <string>

#include "resource.h"

namespace {

std::string failures, folder, sysdir, names[2], files[2];

void Check(bool ok, const std::string &what) {
  if (!ok) failures += "FAIL: " + what + "\n";
}

// Polls for up to 10 s, keeping the driver's own windows answering meanwhile.
template <class Done> bool WaitFor(Done done) {
  for (int waited = 0; !done(); waited += 50) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (waited > 10000) return false;
    Sleep(50);
  }
  return true;
}

// A shown dialog of the program with a control of that id; id 0: a message box.
HWND Find(int id) {
  for (HWND w = FindWindowExA(NULL, NULL, "#32770", NULL); w; w = FindWindowExA(NULL, w, "#32770", NULL)) {
    bool box = !GetDlgItem(w, IDC_SELECTALL) && !GetDlgItem(w, IDC_PROGRESS);
    if (IsWindowVisible(w) && (id ? GetDlgItem(w, id) != NULL : box)) return w;
  }
  return NULL;
}

void Input(DWORD type, DWORD flags, WORD key = 0, LONG x = 0, LONG y = 0) {
  INPUT input = {};
  input.type = type;
  if (type == INPUT_KEYBOARD) input.ki.wVk = key, input.ki.dwFlags = flags;
  if (type == INPUT_MOUSE) input.mi.dx = x, input.mi.dy = y, input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
  Sleep(150);
}

void Key(WORD key) {
  Input(INPUT_KEYBOARD, 0, key);
  Input(INPUT_KEYBOARD, KEYEVENTF_KEYUP, key);
}

// The pointer comes from nearby: Wine's desktop can lose a press right after a jump.
void ClickAt(int x, int y, bool right = false) {
  for (int off : {2, 0})
    Input(INPUT_MOUSE, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0,
          ((x + off) * 65536 + 1023) / 1024, ((y + off) * 65536 + 767) / 768);
  Input(INPUT_MOUSE, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Input(INPUT_MOUSE, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

// The minimise or close box of a window's title bar, found by asking the window.
void ClickFrame(HWND window, LRESULT part) {
  RECT r;
  GetWindowRect(window, &r);
  for (int y = r.top; y < r.top + 40; y += 2)
    for (int x = r.right - 1; x > r.right - 120; x -= 2)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == part) return ClickAt(x - 5, y + 5);
  Check(false, "no such part in the title bar");
}

// Wine's task bar names each button by its window's handle, and updates itself when a top-level
// window comes or goes: the driver makes one come and go first.
void ClickTaskBar(bool right = false) {
  DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0));
  HWND owner = FindWindowA("FontWind", NULL), bar = FindWindowA("Shell_TrayWnd", NULL), button = NULL;
  WaitFor([&] {
    while ((button = FindWindowExA(bar, button, "Button", NULL)) != NULL)
      if ((HWND)GetWindowLongPtrA(button, GWLP_ID) == owner && IsWindowVisible(button)) return true;
    return false;
  });
  RECT r;
  GetWindowRect(button, &r);
  Check(button != NULL, "the task bar shows the program");
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, right);
}

struct Program {
  PROCESS_INFORMATION info;
  explicit Program(int show) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = (WORD)show;
    std::string line = "\"" + folder + "Quillbox.exe\"";
    CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &info);
  }
  // The exit code, or STILL_ACTIVE.
  DWORD Exit() {
    DWORD code = STILL_ACTIVE;
    WaitFor([&] { return GetExitCodeProcess(info.hProcess, &code) && code != STILL_ACTIVE; });
    return code;
  }
};

std::string FontsKey(int font) {
  char value[MAX_PATH] = "";
  GetProfileStringA("Fonts", names[font].c_str(), "", value, sizeof value);
  return value;
}

// The registry's font list, which the system reads when it starts, in its 64-bit view.
std::string Registry(int font, const char *set = NULL) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0,
                  NULL, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, NULL, &key, NULL);
  std::string name = names[font] + " (TrueType)";
  char value[MAX_PATH] = "";
  DWORD size = sizeof value - 1;
  if (set) RegSetValueExA(key, name.c_str(), 0, REG_SZ, (const BYTE *)set, lstrlenA(set) + 1);
  RegQueryValueExA(key, name.c_str(), NULL, NULL, (BYTE *)value, &size);
  if (set && !*set) RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
  return value;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) return 2;
  char path[MAX_PATH];
  GetSystemDirectoryA(path, MAX_PATH);
  sysdir = std::string(path) + "\\";
  // Names of this run alone: the session's font table keeps what an earlier run added.
  std::snprintf(path, sizeof path, "%04X", (unsigned)GetCurrentProcessId() & 0xFFFF);
  folder = "C:\\qbe2e" + std::string(path) + "\\";
  CreateDirectoryA(folder.c_str(), NULL);
  CopyFileA(argv[1], (folder + "Quillbox.exe").c_str(), FALSE);
  std::string list;
  for (int i = 0; i < 2; i++) {
    files[i] = "QB" + std::string(path) + (i ? "B.TTF" : "A.TTF");
    names[i] = "Qb E2E " + std::string(path) + (i ? " B" : " A");
    list += files[i] + " " + names[i] + "\r\n";
    CopyFileA(i ? "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSerif-Regular.ttf"
                : "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Italic.ttf",
              (folder + files[i]).c_str(), FALSE);
  }
  FILE *out = std::fopen((folder + "Quillbox.Lst").c_str(), "wb");
  std::fputs(list.c_str(), out);
  std::fclose(out);

  // Started minimised: no dialog until the task bar's button restores the program; the dialog's
  // minimise box hides it, the button brings it back, and its close box ends the program.
  Program first(SW_SHOWMINNOACTIVE);
  HWND owner = NULL, dialog = NULL;
  WaitFor([&] { return (owner = FindWindowA("FontWind", NULL)) != NULL; });
  Sleep(1000);
  Check(IsIconic(owner) && !Find(IDC_SELECTALL), "started minimised, without the dialog");
  ClickTaskBar();
  Check(WaitFor([&] { return (dialog = Find(IDC_SELECTALL)) != NULL; }), "the task bar restores");
  ClickFrame(dialog, HTMINBUTTON);
  Check(WaitFor([&] { return !IsWindowVisible(dialog) && IsIconic(owner); }), "minimise box");
  ClickTaskBar();
  Check(WaitFor([&] { return Find(IDC_SELECTALL) == dialog; }), "the same dialog comes back");
  ClickFrame(dialog, HTCLOSE);
  Check(first.Exit() == 0 && FontsKey(0).empty(), "the close box ends without installing");

  // A second start raises the running copy over another window and ends. Then keys alone: Enter
  // on Select All, where the focus starts, Tab twice to Install, Enter. A close from the task
  // bar's menu is refused during the run. A value for the second font that names another file
  // stays; the first font's value names the file that every process, of either bitness, reaches.
  Registry(1, "C:\\elsewhere\\KEPT.TTF");
  Program program(SW_SHOWNORMAL);
  Check(WaitFor([&] { return (dialog = Find(IDC_SELECTALL)) == GetForegroundWindow() && dialog; }),
        "the dialog comes up active");
  HWND cover = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 800, 500,
                               0, 0, 0, 0);
  WaitFor([&] { return SetForegroundWindow(cover) && GetForegroundWindow() == cover; });
  Program second(SW_SHOWNORMAL);
  Check(second.Exit() == 0, "the second start ends");
  Check(WaitFor([&] { return GetForegroundWindow() == dialog; }), "the running copy is raised");
  DestroyWindow(cover);
  for (WORD key : {VK_RETURN, VK_TAB, VK_TAB, VK_RETURN}) Key(key);
  HWND progress = NULL, box = NULL;
  Check(WaitFor([&] { return (progress = Find(IDC_PROGRESS)) != NULL; }), "keys start the run");
  ClickTaskBar(true);
  WaitFor([] { return IsWindowVisible(FindWindowA("#32768", NULL)); });
  Key('C');
  Sleep(500);
  Check(IsWindow(progress) && IsWindow(dialog), "a close from the task bar is refused in the run");
  Check(WaitFor([&] { return (box = Find(0)) != NULL && GetForegroundWindow() == box; }), "summary");
  Key(VK_RETURN);
  Check(program.Exit() == 0, "the program ends after the run");
  Check(!FontsKey(0).empty() && !FontsKey(1).empty(), "both fonts are in WIN.INI");
  Check(Registry(1) == "C:\\elsewhere\\KEPT.TTF", "another file's registry value is kept");
  PVOID redirection;
  Wow64DisableWow64FsRedirection(&redirection);
  Check(GetFileAttributesA(Registry(0).c_str()) != INVALID_FILE_ATTRIBUTES,
        "the registry value names the installed file: " + Registry(0));
  Wow64RevertWow64FsRedirection(redirection);

  for (int i = 0; i < 2; i++) {
    WriteProfileStringA("Fonts", names[i].c_str(), NULL);
    Registry(i, "");
    for (std::string name : {files[i], files[i].substr(0, 7) + ".Fot"}) DeleteFileA((sysdir + name).c_str());
    DeleteFileA((folder + files[i]).c_str());
  }
  for (const char *name : {"Quillbox.exe", "Quillbox.Lst"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  out = std::fopen(argv[2], "wb");
  std::fputs(failures.empty() ? "ok\n" : failures.c_str(), out);
  std::fclose(out);
  return failures.empty() ? 0 : 1;
}
