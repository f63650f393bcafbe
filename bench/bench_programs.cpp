// The programs beside qb_bench.exe, started as new processes and driven through their windows:
// - `start LINES REPEATS`: Quillbox.exe from CreateProcessA until its selection dialog is shown,
//   against qb_hello.exe (a trivial program that shows a window with a list box) started just
//   before it in the same repeat; the ratio is taken per repeat.
// - `run FONTS`: Quillbox.exe installs FONTS real fonts (R<FONTS>_01.TTF ... laid beside it by
//   scripts/bench.sh), every one selected, timed from Install until the summary box is shown.
//   The run pumps messages for 500 ms before each font; the rest is the installation's own cost.
//   What the run installs is taken away before and after.
#include <cstdio>
#include <string>

#include "bench.h"
#include "resource.h"

namespace {

constexpr double PacingSeconds = 0.5;
constexpr DWORD LongestWait = 600000;  // ms
constexpr int MessageTextId = 0xFFFF;  // a message box's text
constexpr char FontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

struct Program {
  HANDLE process;
  DWORD id;
  HWND found;  // the last window FindWindowOf found
  int want, refuse;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
  Program *program = reinterpret_cast<Program *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != program->id || !IsWindowVisible(window) ||
      GetDlgItem(window, program->want) == NULL ||
      (program->refuse != 0 && GetDlgItem(window, program->refuse) != NULL))
    return TRUE;
  program->found = window;
  return FALSE;
}

// A visible top-level window of the program that holds the control want and not refuse (0: none).
HWND FindWindowOf(Program *program, int want, int refuse) {
  program->found = NULL;
  program->want = want;
  program->refuse = refuse;
  EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(program));
  return program->found;
}

// Starts exe from this folder and waits until its list is shown; NULL when it is not.
HWND StartAndWait(const std::string &exe, Program *program) {
  std::string path = HereDir() + exe, command = "\"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  *program = {};
  if (!CreateProcessA(path.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, HereDir().c_str(),
                      &startup, &info))
    return NULL;
  CloseHandle(info.hThread);
  program->process = info.hProcess;
  program->id = info.dwProcessId;
  // Waiting until the program's loop first idles, rather than polling all along, keeps this
  // process from competing with it for the wineserver.
  WaitForInputIdle(program->process, LongestWait);
  for (DWORD waited = 0; waited < LongestWait; waited += 10) {
    if (FindWindowOf(program, IDC_FONTLIST, 0) != NULL) return program->found;
    if (WaitForSingleObject(program->process, 10) == WAIT_OBJECT_0) break;
  }
  std::fprintf(stderr, "%s showed no list\n", exe.c_str());
  return NULL;
}

void End(Program *program, DWORD ms) {
  if (program->process == NULL) return;
  if (WaitForSingleObject(program->process, ms) != WAIT_OBJECT_0)
    TerminateProcess(program->process, 1), WaitForSingleObject(program->process, 5000);
  CloseHandle(program->process);
}

// Seconds from CreateProcessA until the list is shown; -1 when it is not. Cancel then ends it.
double TimeStart(const std::string &exe) {
  Program program;
  BenchClock::time_point start = BenchClock::now();
  HWND window = StartAndWait(exe, &program);
  double seconds = SecondsSince(start);
  if (window != NULL) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  End(&program, 10000);
  return window != NULL ? seconds : -1.0;
}

std::string RunFile(int fonts, int i) {
  char name[16];
  std::snprintf(name, sizeof name, "R%d_%02d", fonts, i);
  return name;
}

// Removes what installing the run's fonts leaves: the copy and the .Fot in the system directory,
// the WIN.INI key and the registry value. Returns how many fonts had left a .Fot.
int TakeAway(int fonts) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  HKEY key = NULL;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, FontsKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key);
  int installed = 0;
  for (int i = 1; i <= fonts; i++) {
    std::string base = std::string(system) + "\\" + RunFile(fonts, i);
    RemoveFontResourceA((base + ".Fot").c_str());
    installed += DeleteFileA((base + ".Fot").c_str()) != 0;
    DeleteFileA((base + ".TTF").c_str());
    WriteProfileStringA("Fonts", ("Bench Run " + RunFile(fonts, i)).c_str(), NULL);
    if (key != NULL)
      RegDeleteValueA(key, ("Bench Run " + RunFile(fonts, i) + " (TrueType)").c_str());
  }
  if (key != NULL) RegCloseKey(key);
  return installed;
}

}  // namespace

int StartCommand(int count, int repeats) {
  std::vector<BenchLine> lines;
  if (!LayOutList(count, &lines)) return 1;
  std::vector<double> programs, hellos, ratios;
  for (int repeat = 0; repeat < repeats; repeat++) {
    double hello = TimeStart("qb_hello.exe");
    double program = TimeStart("Quillbox.exe");
    if (hello < 0.0 || program < 0.0) return 1;
    hellos.push_back(hello);
    programs.push_back(program);
    ratios.push_back(program / hello);
  }
  // | build | lines | Quillbox.exe | qb_hello.exe | Quillbox / hello |
  std::printf("| %s | %zu | %.0f | %.0f | %.2f |\n", BuildName(), lines.size(),
              Median(programs) * 1e3, Median(hellos) * 1e3, Median(ratios));
  std::printf("plot %zu %.6f %.6f\n", lines.size(), Median(programs), Median(hellos));
  return 0;
}

int RunCommand(int fonts) {
  std::string list;
  for (int i = 1; i <= fonts; i++)
    list += RunFile(fonts, i) + ".TTF Bench Run " + RunFile(fonts, i) + "\r\n";
  TakeAway(fonts);
  Program program = {};
  HWND dialog = WriteHere("Quillbox.Lst", list) ? StartAndWait("Quillbox.exe", &program) : NULL;
  double seconds = -1.0;
  int failures = 0;
  BenchClock::time_point start = BenchClock::now();
  if (dialog != NULL) {
    PostMessageA(dialog, WM_COMMAND, IDC_SELECTALL, 0);
    Sleep(300);
    start = BenchClock::now();
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
  // A message box holds OK and its text and no font list; the progress dialog has no OK.
  while (dialog != NULL && seconds < 0.0 && SecondsSince(start) * 1000 < LongestWait) {
    HWND box = FindWindowOf(&program, IDOK, IDC_FONTLIST);
    char text[256] = "";
    if (box == NULL || !GetDlgItemTextA(box, MessageTextId, text, sizeof text)) {
      Sleep(10);  // a box is seen at most 10 ms late
      continue;
    }
    if (std::string(text).find("now available") != std::string::npos) seconds = SecondsSince(start);
    if (seconds < 0.0) std::fprintf(stderr, "the run said: %s\n", text), failures++;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 1000 && IsWindow(box) && IsWindowVisible(box); i++) Sleep(5);
  }
  End(&program, 10000);
  int installed = TakeAway(fonts);
  if (seconds < 0.0) return std::fprintf(stderr, "the run showed no summary\n"), 1;
  double pacing = PacingSeconds * fonts;
  // | build | fonts | run | pacing | beyond the pacing, per font | run / pacing | installed |
  // failure boxes |
  std::printf("| %s | %d | %.0f | %.0f | %.1f | %.3f | %d | %d |\n", BuildName(), fonts,
              seconds * 1e3, pacing * 1e3, (seconds - pacing) * 1e3 / fonts, seconds / pacing,
              installed, failures);
  std::printf("plot %d %.6f %.6f\n", fonts, seconds, (seconds - pacing) / fonts);
  return 0;
}
