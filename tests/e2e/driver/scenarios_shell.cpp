// The program as one window among others: a second start hands over to the running copy, and
// minimise and restore hide and show the selection dialog through the owner window.
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "steps.h"

namespace {

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Brings the driver's own window to the top and makes it active, as another program in front
// would be; its messages are handled meanwhile. True when it lies above `over`.
bool Raise(HWND cover, HWND over) {
  DWORD start = GetTickCount();
  do {
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(cover);
    MSG message;
    while (PeekMessageA(&message, cover, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Pause(50);
  } while (!Above(cover, over) && GetTickCount() - start < Patience(3000));
  Pause(200);
  return Above(cover, over);
}

// Another program's window over the dialog: the driver's own.
HWND CoverWith(HWND dialog) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CoverProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "QuillboxE2ECover";
  RegisterClassA(&windowClass);
  RECT rect = ScreenRect(dialog);
  return CreateWindowExA(0, "QuillboxE2ECover", "Another program", WS_OVERLAPPEDWINDOW,
                         rect.left - 20, rect.top - 20, Width(rect) + 40, Height(rect) + 40,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

std::string Describe(HWND window) {
  return window ? ClassOf(window) + " " + Quoted(TextOf(window)) : "nothing";
}

std::string Order(HWND a, HWND b) {
  return Above(a, b) ? Describe(a) + " above " + Describe(b)
                     : Describe(b) + " above " + Describe(a);
}

// Starts a second copy from a folder without a list file and checks that it hands over at once.
void StartSecondCopy(HWND expectedOnTop, HWND cover, const char *what) {
  std::string folder = "C:\\Second Copy\\";
  CreateDirectoryA("C:\\Second Copy", nullptr);
  CopyFileA(ProgramPath().c_str(), (folder + "Quillbox.exe").c_str(), FALSE);
  Program second;
  if (!StartProgram(second, folder + "Quillbox.exe", "")) return;
  ExpectExit(second, 0, 5000);
  Expect(FindSeen(second.pid, Seen::Box) == nullptr, "the second copy showed no message", "");
  Pause(300);
  Expect(Above(expectedOnTop, cover),
         std::string("the running copy's ") + what + " is raised above the other window",
         Order(expectedOnTop, cover));
}

BOOL CALLBACK AddVisibleChild(HWND child, LPARAM data) {
  if (IsWindowVisible(child) && Width(ScreenRect(child)) > 0) {
    reinterpret_cast<std::vector<HWND> *>(data)->push_back(child);
  }
  return TRUE;
}

// The task bar's button for the program: Wine's task bar draws its buttons itself (they carry no
// text), the Start button first at the left, then one button for each program's window.
HWND TaskBarButton() {
  HWND bar = FindWindowA("Shell_TrayWnd", nullptr);
  std::vector<HWND> buttons;
  if (bar) EnumChildWindows(bar, AddVisibleChild, reinterpret_cast<LPARAM>(&buttons));
  HWND found = nullptr;
  for (HWND button : buttons) {
    if (ScreenRect(button).left > 0) found = found ? nullptr : button;
  }
  return found;
}

// How a person brings back a minimised program: a click on its button on the task bar. Where
// Wine's task bar shows none (it may not for a program started minimised), the driver sends
// what a click there sends, SC_RESTORE.
void Restore(HWND owner) {
  HWND button = nullptr;
  DWORD start = GetTickCount();
  while (!(button = TaskBarButton()) && GetTickCount() - start < Patience(2000)) Pause(50);
  if (button) {
    Note("click the program's button on the task bar");
    RECT rect = ScreenRect(button);
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  } else {
    Note("the task bar shows no button for the program: sending SC_RESTORE to the owner window");
    PostMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

}  // namespace

void SecondStart() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5},
                                       {"CEDAR.TTF", "Cedar Sans", 6}};
  Program first;
  HWND dialog = OpenOver(first, fonts);
  if (!dialog) return;
  HWND cover = CoverWith(dialog);
  Expect(Raise(cover, dialog), "another window covers the selection dialog", Order(cover, dialog));
  StartSecondCopy(dialog, cover, "selection dialog");

  Note("install, and start a second copy while the progress dialog is up");
  ClickControl(dialog, 130);
  ExpectSelection(dialog, {"Alder Sans", "Birch Sans", "Cedar Sans"});
  ClickControl(dialog, IDOK);
  HWND progress = WaitSeen(first.pid, Seen::Progress, 5000);
  if (!Expect(progress != nullptr, "the progress dialog appears", "")) return;
  Expect(Raise(cover, progress), "another window covers the progress dialog",
         Order(cover, progress));
  StartSecondCopy(progress, cover, "progress dialog");
  AnswerSummary(first, 3);
  ExpectExit(first, 0);
  for (const FontLine &font : fonts) ExpectInstalled(font);
  DestroyWindow(cover);
}

void StartedMinimised() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4}};
  if (!SetScene(fonts)) return;
  Program program;
  if (!StartProgram(program, ProgramPath(), "", SW_SHOWMINNOACTIVE)) return;
  HWND owner = WaitSeen(program.pid, Seen::Owner, 5000);
  if (!Expect(owner != nullptr, "the owner window exists", "")) return;
  Pause(1500);
  Expect(IsIconic(owner), "the owner window is minimised", "");
  Expect(FindSeen(program.pid, Seen::Selection) == nullptr, "no selection dialog is shown",
         Listed(VisibleWindows(program.pid)));
  Restore(owner);
  HWND dialog = WaitSeen(program.pid, Seen::Selection, 5000);
  if (!Expect(dialog != nullptr, "the selection dialog appears on restore",
              Listed(VisibleWindows(program.pid)))) {
    return;
  }
  Expect(!IsIconic(owner), "the owner window is no longer minimised", "");
  ExpectFirstLook(program, dialog, {"Alder Sans"}, false);
  ClickControl(dialog, IDCANCEL);
  ExpectExit(program, 0);
  ExpectNotInstalled(fonts[0]);
}

void MinimiseAndRestore() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5}};
  Program program;
  HWND dialog = OpenOver(program, fonts);
  if (!dialog) return;
  HWND owner = FindSeen(program.pid, Seen::Owner);
  ClickItems(dialog, {"Birch Sans"});
  ExpectSelection(dialog, {"Birch Sans"});
  Note("click the selection dialog's minimise box");
  ClickFrame(dialog, HTMINBUTTON);
  Expect(WaitGone(dialog, 3000), "the selection dialog is hidden", "");
  Pause(300);
  Expect(IsWindow(dialog) && !IsWindowVisible(dialog), "it still exists, hidden", "");
  Expect(IsIconic(owner), "the owner window is minimised", "");
  Restore(owner);
  Expect(WaitSeen(program.pid, Seen::Selection, 5000) == dialog,
         "the same selection dialog is shown again", Listed(VisibleWindows(program.pid)));
  ExpectSelection(dialog, {"Birch Sans"});
  ClickControl(dialog, IDOK);
  AnswerSummary(program, 1);
  ExpectExit(program, 0);
  ExpectInstalledAs(fonts, "01");
}
