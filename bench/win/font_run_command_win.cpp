// `run DIR FONTS [WINESERVER]`: Quillbox.exe installs FONTS real fonts (R<FONTS>_01.TTF ... laid
// beside it by scripts/bench.sh), every one selected. The run is timed from Install until the
// summary box appears; what it takes beyond the 500 ms pause before each font, and the processor
// time it uses, are reported per font. The processor time comes from Linux's /proc, for the
// program and for the wineserver (its Linux process id given as WINESERVER), which serves every
// PeekMessageA of the program's pump. Whatever the run installed is taken away afterwards.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_process_win.h"
#include "unix_process_win.h"
#include "common/bench_commands.h"
#include "common/bench_place.h"
#include "common/bench_stats.h"

namespace {

constexpr int SelectAllId = 130;  // IDC_SELECTALL
constexpr double PacingSeconds = 0.5;
constexpr double LongestRun = 600.0;

struct RunFont {
  std::string fileName;
  std::string fontName;
};

std::vector<RunFont> RunFonts(int count) {
  std::vector<RunFont> fonts;
  for (int i = 1; i <= count; i++) {
    char file[16];
    char font[48];
    std::snprintf(file, sizeof file, "R%d_%02d.TTF", count, i);
    std::snprintf(font, sizeof font, "Bench Run %d Font %02d", count, i);
    fonts.push_back({file, font});
  }
  return fonts;
}

// Takes away what an installation of these fonts leaves: the font resources, the copies and
// .Fot files in the system directory, and the WIN.INI keys.
void TakeAway(const std::vector<RunFont> &fonts) {
  for (const RunFont &font : fonts) {
    std::string base = font.fileName.substr(0, font.fileName.find('.'));
    std::string resource = SystemDir() + base + ".Fot";
    while (RemoveFontResourceA(resource.c_str())) {
    }
    DeleteFileA(resource.c_str());
    DeleteFileA((SystemDir() + font.fileName).c_str());
    WriteProfileStringA("Fonts", font.fontName.c_str(), NULL);
  }
}

bool WriteList(const std::vector<RunFont> &fonts) {
  std::string text;
  for (const RunFont &font : fonts) text += font.fileName + " " + font.fontName + "\r\n";
  return WriteWholeFile(ProgramDir(), "Quillbox.Lst", text);
}

HWND WaitForDialog(const StartedProgram &program) {
  BenchClock::time_point start = BenchClock::now();
  HWND dialog = NULL;
  WaitForInputIdle(program.process, static_cast<DWORD>(LongestRun * 1000));
  while ((dialog = FindSelectionDialog(program)) == NULL && SecondsSince(start) < LongestRun)
    Sleep(10);
  return dialog;
}

}  // namespace

int FontRunCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  int count = std::atoi(args[1].c_str());
  std::vector<RunFont> fonts = RunFonts(count);
  TakeAway(fonts);
  if (!WriteList(fonts)) return 1;

  StartedProgram program = {};
  if (!StartProgram(ProgramDir() + "Quillbox.exe", &program)) return 1;
  HWND dialog = WaitForDialog(program);
  if (dialog == NULL) {
    std::fprintf(stderr, "no selection dialog\n");
    EndProgram(&program, 0);
    return 1;
  }
  PostMessageA(dialog, WM_COMMAND, SelectAllId, 0);
  Sleep(300);

  long programPid = FindUnixProcess(ProgramDir() + "Quillbox.exe");
  long serverPid = args.size() > 2 ? std::atol(args[2].c_str()) : 0;
  double programStart = UnixCpuSeconds(programPid);
  double serverStart = serverPid != 0 ? UnixCpuSeconds(serverPid) : -1.0;
  BenchClock::time_point start = BenchClock::now();
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  int failures = 0;
  double seconds = -1.0;
  double programCpu = -1.0;
  double serverCpu = -1.0;
  while (seconds < 0.0 && SecondsSince(start) < LongestRun) {
    std::string text;
    HWND box = FindMessageBox(program, &text);
    if (box == NULL) {
      // Each look at the window list costs the wineserver, which the program's pump keeps busy:
      // 10 ms apart, a box is seen at most 10 ms late.
      Sleep(10);
      continue;
    }
    if (text.find("available") != std::string::npos || text.find("No new") != std::string::npos) {
      seconds = SecondsSince(start);
      if (programStart >= 0.0) programCpu = UnixCpuSeconds(programPid) - programStart;
      if (serverStart >= 0.0) serverCpu = UnixCpuSeconds(serverPid) - serverStart;
    } else {
      std::fprintf(stderr, "the run said: %s\n", text.c_str());
      failures++;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    BenchClock::time_point answered = BenchClock::now();
    while (IsWindow(box) && IsWindowVisible(box) && SecondsSince(answered) < 10.0) Sleep(2);
  }
  EndProgram(&program, 10000);
  TakeAway(fonts);
  if (seconds < 0.0) {
    std::fprintf(stderr, "the run did not end\n");
    return 1;
  }
  double beyond = (seconds - PacingSeconds * count) / count;
  auto perFont = [count](double cpu) { return cpu >= 0.0 ? Milliseconds(cpu / count) : "-"; };
  auto share = [seconds](double cpu) { return cpu >= 0.0 ? Percent(cpu / seconds) : "-"; };
  // | platform | fonts | run | beyond the pacing, per font | processor time per font: program,
  // wineserver | processor share: program, wineserver | failures |
  std::printf("| %s | %d | %s | %s | %s | %s | %s | %s | %d |\n", PlatformName(), count,
              Milliseconds(seconds).c_str(), Milliseconds(beyond).c_str(),
              perFont(programCpu).c_str(), perFont(serverCpu).c_str(), share(programCpu).c_str(),
              share(serverCpu).c_str(), failures);
  std::printf("plot %d %.6f %.6f %.6f %.6f\n", count, seconds, beyond, programCpu / count,
              serverCpu / count);
  return 0;
}
