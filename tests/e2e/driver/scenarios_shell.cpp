// The program as one window among others: brought back from the task bar after it was started
// minimised or minimised with the dialog's minimise box, left with the close box, handed over to
// by a second start, and not to be closed from the task bar while it installs.
#include "input.h"
#include "report.h"
#include "resource.h"
#include "scenarios.h"
#include "screen.h"
#include "steps.h"
#include "xserver.h"

namespace {

// Five fonts, so that the run lasts a few seconds (the program waits half a second before each).
const std::vector<FontLine> Fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                     {"BIRCH.TTF", "Birch Sans", 5},
                                     {"CEDAR.TTF", "Cedar Sans", 6},
                                     {"DOGWOOD.TTF", "Dogwood Sans", 7},
                                     {"ELM.TTF", "Elm Sans", 3}};

// The task bar's button for the program's owner window. Wine's task bar gives each of its buttons
// the handle of its window as id, and shows or hides them only when a top-level window is created
// or destroyed: the driver creates and destroys one of its own first.
HWND TaskBarButton(DWORD pid) {
  DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0));
  HWND bar = FindWindowA("Shell_TrayWnd", nullptr), owner = FindSeen(pid, Seen::Owner), button;
  auto shown = [&] {
    button = nullptr;
    while (bar && (button = FindWindowExA(bar, button, "Button", nullptr)) &&
           (reinterpret_cast<HWND>(GetWindowLongPtrA(button, GWLP_ID)) != owner ||
            !IsWindowVisible(button))) {
    }
    return button != nullptr;
  };
  return Expect(WaitUntil(shown, 3000), "the task bar shows the program's button") ? button : 0;
}

// A right-click on the button opens the owner window's system menu, where C chooses Close. The
// refusal is heard: the X server rings its bell once.
void CloseFromTaskBar(DWORD pid) {
  Note("right-click the program's button on the task bar");
  ClickWindow(TaskBarButton(pid), true);
  HWND menu = WaitSeen(pid, Seen::Menu);
  if (!Expect(menu != nullptr, "the program's system menu opens")) return;
  Shot("system-menu");
  int bells = Bells();
  Note("press C for Close");
  PressKey('C');
  WaitUntil([&] { return Bells() > bells; }, 3000);
  Pause(500);
  Expect(Bells() == bells + 1, "the close is refused with one beep",
         Format("%d bells", Bells() - bells));
}

// Another program's window (one of the driver's own, over the middle of the screen where the
// program's dialogs are) brought to the top and made active, as a program in front would be.
bool Cover(HWND cover, HWND over) {
  WaitActive(over);  // a new window is activated (and raised) a moment after it is shown
  auto covered = [&] { return Above(cover, over) && GetForegroundWindow() == cover; };
  auto raise = [&] {
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(cover);
    MSG message;
    while (PeekMessageA(&message, cover, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return covered();
  };
  WaitUntil(raise, 3000);
  Pause(200);
  return Expect(covered(), "another window covers the program and is the active one");
}

// A second copy started from a folder without a list file hands over at once: it raises the
// running copy's window and ends (reading the list would have shown a message and waited).
void StartSecondCopy(HWND cover, HWND raised, const char *what) {
  CreateDirectoryA("C:\\Second Copy", nullptr);
  CopyFileA(ProgramPath().c_str(), "C:\\Second Copy\\Quillbox.exe", FALSE);
  Program second;
  if (!StartProgram(second, "C:\\Second Copy\\Quillbox.exe")) return;
  ExpectExit(second, 5000);
  Pause(300);
  Expect(Above(raised, cover) && GetForegroundWindow() == raised,
         std::string("the second start raised and activated the running copy's ") + what);
}

}  // namespace

void TaskBarAndCloseBox() {
  if (!Expect(SetScene({Fonts[0], Fonts[1]}), "the program's folder is laid out")) return;
  std::string winIni = WinIni();
  Program program;
  if (!StartProgram(program, ProgramPath(), "", SW_SHOWMINNOACTIVE)) return;
  HWND owner = WaitSeen(program.pid, Seen::Owner);
  Pause(1500);
  Expect(owner && IsIconic(owner), "the program starts minimised");
  Expect(!FindSeen(program.pid, Seen::Selection), "no selection dialog is shown");
  Note("click the program's button on the task bar");
  ClickWindow(TaskBarButton(program.pid));
  HWND dialog = WaitSeen(program.pid, Seen::Selection);
  if (!Expect(dialog != nullptr, "the restore shows the selection dialog")) return;

  Note("click Select All and the dialog's minimise box");
  ClickControl(dialog, IDC_SELECTALL);
  ExpectInstallEnabled(dialog);
  ClickFrame(dialog, HTMINBUTTON);
  Expect(WaitGone(dialog) && IsWindow(dialog), "the selection dialog is hidden");
  Expect(WaitUntil([&] { return IsIconic(owner) != 0; }, 2000), "the program is minimised");
  Note("click the program's button on the task bar");
  ClickWindow(TaskBarButton(program.pid));
  Expect(WaitSeen(program.pid, Seen::Selection) == dialog, "the same selection dialog returns");
  ExpectInstallEnabled(dialog);

  Note("click the close box");
  ClickFrame(dialog, HTCLOSE);
  Expect(WaitGone(dialog), "the close box closes the selection dialog");
  ExpectExit(program);
  Expect(WinIni() == winIni, "WIN.INI is unchanged");
  for (const FontLine &font : {Fonts[0], Fonts[1]}) ExpectInstalled(font, false);
}

void SecondStartAndRefusedClose() {
  if (!Expect(SetScene(Fonts), "the program's folder is laid out")) return;
  Program first;
  HWND dialog = OpenSelection(first),
       cover = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW, 200, 150, 624,
                               450, 0, 0, 0, 0);
  if (!dialog || !Cover(cover, dialog)) return;
  StartSecondCopy(cover, dialog, "selection dialog");

  Note("click Select All and Install, and start a second copy during the run");
  ClickControl(dialog, IDC_SELECTALL);
  ExpectInstallEnabled(dialog);
  ClickControl(dialog, IDOK);
  HWND progress = WaitSeen(first.pid, Seen::Progress);
  if (!Expect(progress != nullptr, "the progress dialog appears") || !Cover(cover, progress)) {
    return;
  }
  StartSecondCopy(cover, progress, "progress dialog");
  Shot("progress");
  HWND box = ExpectBox(first, Summary(static_cast<int>(Fonts.size())));
  if (!box) return;
  CloseFromTaskBar(first.pid);
  Expect(IsWindowVisible(box) && IsWindow(progress) && IsWindow(dialog),
         "the summary, the progress dialog and the selection dialog remain");
  Answer(box, IDOK);
  ExpectExit(first);
  for (const FontLine &font : Fonts) ExpectInstalled(font);
}
