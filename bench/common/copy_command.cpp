// `copy DIR REPEATS`: CopyFontFile against the platform's CopyFileA and against a plain loop of
// _lread and _lwrite with a 1 MiB buffer, on files of 64 KiB, 1 MiB and 32 MiB. The three copy
// the same source to their own new destinations in turn; each repeat gives a ratio of neighbours.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_commands.h"
#include "bench_place.h"
#include "bench_stats.h"
#include "catalog/file_ops.h"

namespace {

constexpr UINT LoopBuffer = 1 << 20;
constexpr size_t BytesPerSample = 8u << 20;  // small files are copied this many bytes per sample

int PlainCopy(const char *source, const char *destination) {
  static std::vector<char> buffer(LoopBuffer);
  HFILE input = _lopen(source, OF_READ);
  HFILE output = _lcreat(destination, 0);
  int copied = input != HFILE_ERROR && output != HFILE_ERROR;
  while (copied) {
    UINT count = _lread(input, buffer.data(), LoopBuffer);
    if (count == static_cast<UINT>(HFILE_ERROR)) copied = 0;
    if (count == 0 || !copied) break;
    if (_lwrite(output, buffer.data(), count) != count) copied = 0;
  }
  if (input != HFILE_ERROR) _lclose(input);
  if (output != HFILE_ERROR && _lclose(output) == HFILE_ERROR) copied = 0;
  return copied;
}

int SystemCopy(const char *source, const char *destination) {
  return CopyFileA(source, destination, FALSE) ? 1 : 0;
}

// Seconds per copy, over `times` copies. Each copy makes a new file, as an installation does:
// the destination is deleted first, untimed. (Replacing a file's data costs far more on some
// file systems: ext4 flushes a file that was truncated to zero and written again when it is
// closed, which would hide the copy itself.)
double TimeCopies(int (*copy)(const char *, const char *), const std::string &source,
                  const std::string &destination, int times, bool *failed) {
  double total = 0.0;
  for (int i = 0; i < times; i++) {
    DeleteFileA(destination.c_str());
    BenchClock::time_point start = BenchClock::now();
    if (!copy(source.c_str(), destination.c_str())) *failed = true;
    total += SecondsSince(start);
  }
  return total / times;
}

std::string SizeName(size_t bytes) {
  return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB"
                             : std::to_string(bytes >> 10) + " KiB";
}

}  // namespace

int CopyCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  int repeats = std::atoi(args[1].c_str());
  const size_t sizes[] = {64u << 10, 1u << 20, 32u << 20};
  for (size_t size : sizes) {
    std::string name = "COPY" + std::to_string(size >> 10) + ".BIN";
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char &byte : bytes) byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    if (!WriteWholeFile(ProgramDir(), name, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      return 1;
    }
    std::string source = ProgramDir() + name;
    std::string targets[3] = {ProgramDir() + "OUTFONT.BIN", ProgramDir() + "OUTSYS.BIN",
                              ProgramDir() + "OUTLOOP.BIN"};
    int times = size >= BytesPerSample ? 1 : static_cast<int>(BytesPerSample / size);
    std::vector<double> own, system, loop, toSystem, toLoop;
    bool failed = false;
    for (int repeat = 0; repeat < repeats; repeat++) {
      double a = TimeCopies(CopyFontFile, source, targets[0], times, &failed);
      double b = TimeCopies(SystemCopy, source, targets[1], times, &failed);
      double c = TimeCopies(PlainCopy, source, targets[2], times, &failed);
      own.push_back(a);
      system.push_back(b);
      loop.push_back(c);
      toSystem.push_back(a / b);
      toLoop.push_back(a / c);
    }
    for (const std::string &target : targets)
      if (GetFileLength(target.c_str()) != static_cast<int>(size)) failed = true;
    if (failed) {
      std::fprintf(stderr, "a copy of %s failed\n", name.c_str());
      return 1;
    }
    double mib = static_cast<double>(size) / (1 << 20);
    // | platform | size | CopyFontFile | CopyFileA | loop | own/CopyFileA | own/loop | MiB/s |
    std::printf("| %s | %s | %s | %s | %s | %s | %s | %.0f |\n", PlatformName(),
                SizeName(size).c_str(), Milliseconds(Median(own)).c_str(),
                Milliseconds(Median(system)).c_str(), Milliseconds(Median(loop)).c_str(),
                Ratio(Median(toSystem)).c_str(), Ratio(Median(toLoop)).c_str(), mib / Median(own));
    std::printf("plot %zu %.6f %.6f %.6f\n", size, Median(own), Median(system), Median(loop));
    for (const std::string &target : targets) DeleteFileA(target.c_str());
    DeleteFileA(source.c_str());
  }
  return 0;
}
