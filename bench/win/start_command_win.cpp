// `start DIR LINES REPEATS EXE...`: each program (a Quillbox.exe in DIR) started as a new process,
// timed from CreateProcessA until its selection dialog is visible, beside the floor measured in
// this process in the same repeat; and its peak working set once the dialog is shown.
#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "bench_process_win.h"
#include "unix_process_win.h"
#include "common/bench_commands.h"
#include "common/bench_floor.h"
#include "common/bench_place.h"
#include "common/bench_stats.h"

namespace {

constexpr double LongestWait = 600.0;  // seconds before a start counts as failed
constexpr DWORD PollMilliseconds = 10;

struct StartSample {
  double seconds;
  double peakWorkingSet;  // bytes, as GetProcessMemoryInfo reports it
  double peakResident;    // bytes, VmHWM of the Linux process (Wine's own libraries included)
};

bool TimeStart(const std::string &exePath, StartSample *sample) {
  StartedProgram program = {};
  BenchClock::time_point start = BenchClock::now();
  if (!StartProgram(exePath, &program)) {
    std::fprintf(stderr, "cannot start %s\n", exePath.c_str());
    return false;
  }
  // The program's message loop first waits for input once the dialog is up. Waiting for that
  // moment, rather than polling the window list all along, keeps this process from competing with
  // the program for the wineserver, which serves both.
  WaitForInputIdle(program.process, static_cast<DWORD>(LongestWait * 1000));
  HWND dialog = NULL;
  while ((dialog = FindSelectionDialog(program)) == NULL) {
    if (WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0 ||
        SecondsSince(start) > LongestWait) {
      std::fprintf(stderr, "%s showed no selection dialog\n", exePath.c_str());
      EndProgram(&program, 0);
      return false;
    }
    Sleep(PollMilliseconds);
  }
  sample->seconds = SecondsSince(start);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  sample->peakWorkingSet =
      GetProcessMemoryInfo(program.process, &memory, sizeof memory) ? memory.PeakWorkingSetSize : 0;
  sample->peakResident = UnixPeakResident(FindUnixProcess(exePath));
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EndProgram(&program, 10000);
  return true;
}

}  // namespace

int StartCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  int repeats = std::atoi(args[2].c_str());
  Arguments programs(args.begin() + 3, args.end());
  if (programs.empty()) programs.push_back("Quillbox.exe");

  std::vector<double> floors;
  std::vector<std::vector<double>> shown(programs.size()), ratios(programs.size()),
      peaks(programs.size()), residents(programs.size());
  for (int repeat = 0; repeat < repeats; repeat++) {
    for (size_t i = 0; i < programs.size(); i++) {
      // The floor just before each start, so that a machine that others load at times weighs on
      // both sides of the ratio alike.
      double floor = MeasureFloor(lines).total;
      floors.push_back(floor);
      StartSample sample = {};
      if (!TimeStart(ProgramDir() + programs[i], &sample)) return 1;
      shown[i].push_back(sample.seconds);
      ratios[i].push_back(sample.seconds / floor);
      peaks[i].push_back(sample.peakWorkingSet);
      residents[i].push_back(sample.peakResident);
    }
  }
  for (size_t i = 0; i < programs.size(); i++) {
    // VmHWM is unknown where /proc does not name the program, as under an emulator, which /proc
    // names instead.
    double resident = Median(residents[i]);
    char residentText[32] = "-";
    if (resident >= 0.0)
      std::snprintf(residentText, sizeof residentText, "%.1f MiB", resident / (1 << 20));
    // | platform | program | lines | start to dialog | floor | ratio | peak working set (VmHWM) |
    std::printf("| %s | %s | %zu | %s | %s | %s | %.1f MiB (%s) |\n", PlatformName(),
                programs[i].c_str(), lines.size(), Milliseconds(Median(shown[i])).c_str(),
                Milliseconds(Median(floors)).c_str(), Ratio(Median(ratios[i])).c_str(),
                Median(peaks[i]) / (1 << 20), residentText);
    std::printf("plot %s %zu %.6f %.6f\n", programs[i].c_str(), lines.size(), Median(shown[i]),
                Median(floors));
  }
  return 0;
}
