// `qb_bench loader LINES REPEATS`: LoadFontList, the program's own loader, in this process, against
// the floor of its lookups: a plain loop that makes, line by line, the three lookups no loader can
// avoid (open and measure the font file beside the program, look for its .Fot in the system
// directory, read its WIN.INI key), without the listings that spare the loader most of the last
// two. Floor and load alternate in each repeat; the ratio is taken per repeat.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench.h"
#include "catalog/font_table.h"
#include "catalog/list_loader.h"

namespace {

constexpr size_t LargestListBytes = 65000;
constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The shortest valid lines, "NAME NAME": the 36 names of one character, then those of two and of
// three, leaving out the devices (CON parses as \\.\CON, no file name to the loader).
std::vector<BenchLine> ShortestLines(int count) {
  std::vector<BenchLine> lines;
  size_t bytes = 0;
  for (int index = 0, length = 1, first = 0;; index++) {
    if (index - first == (length == 1 ? 36 : length == 2 ? 1296 : 46656)) first = index, length++;
    std::string name(length, '0');
    for (int i = length - 1, rest = index - first; i >= 0; i--, rest /= 36)
      name[i] = Alphabet[rest % 36];
    if (name == "CON" || name == "NUL" || name == "AUX" || name == "PRN") continue;
    if (count == LargestList ? bytes + 2 * length + 3 > LargestListBytes
                             : static_cast<int>(lines.size()) == count)
      break;
    lines.push_back({name, name});
    bytes += 2 * length + 3;
  }
  // The largest list is filled to exactly 65,000 bytes by lengthening its last font names.
  for (size_t i = lines.size(); count == LargestList && bytes < LargestListBytes; bytes++)
    lines[--i].fontName += 'X';
  return lines;
}

struct Floor {
  double seconds, parts[3];  // all, then each lookup: font files, .Fot files, WIN.INI keys
  int found[3];              // what each lookup found
};

// paths: the font files, the .Fot files and the font names, made beforehand so that only the
// lookups are timed.
Floor TimeFloor(const std::vector<std::string> (&paths)[3]) {
  Floor floor = {};
  char value[128];
  BenchClock::time_point start = BenchClock::now();
  for (size_t i = 0; i < paths[0].size(); i++) {
    for (int kind = 0; kind < 3; kind++) {
      BenchClock::time_point mark = BenchClock::now();
      if (kind < 2) {
        HFILE file = _lopen(paths[kind][i].c_str(), OF_READ);
        if (file != HFILE_ERROR) floor.found[kind] += _llseek(file, 0, FILE_END) >= 0;
        if (file != HFILE_ERROR) _lclose(file);
      } else {
        GetProfileStringA("Fonts", paths[2][i].c_str(), "", value, sizeof value);
        floor.found[2] += value[0] != '\0';
      }
      floor.parts[kind] += SecondsSince(mark);
    }
  }
  floor.seconds = SecondsSince(start);
  return floor;
}

int LoaderCommand(int count, int repeats) {
  std::vector<BenchLine> lines;
  if (!LayOutList(count, &lines)) return 1;
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  std::vector<std::string> paths[3];
  for (const BenchLine &line : lines) {
    paths[0].push_back(HereDir() + line.fileName);
    paths[1].push_back(std::string(system) + "\\" + line.fileName + ".Fot");
    paths[2].push_back(line.fontName);
  }
  int n = static_cast<int>(lines.size());
  TimeFloor(paths);  // once untimed, so that both start warm
  std::vector<double> loads, floors, ratios, parts[3];
  for (int repeat = 0; repeat < repeats; repeat++) {
    Floor floor = TimeFloor(paths);
    ReleaseFontList();
    BenchClock::time_point start = BenchClock::now();
    int loaded = LoadFontList();
    double load = SecondsSince(start);
    int offered = FontCount;
    ReleaseFontList();
    if (!loaded || offered != n || foundCount != n || floor.found[0] != n || floor.found[1] != 0 ||
        floor.found[2] != 0) {
      std::fprintf(stderr, "of %d lines the loader offered %d; the floor found %d, %d, %d\n", n,
                   offered, floor.found[0], floor.found[1], floor.found[2]);
      return 1;
    }
    loads.push_back(load);
    floors.push_back(floor.seconds);
    ratios.push_back(load / floor.seconds);
    for (int kind = 0; kind < 3; kind++) parts[kind].push_back(floor.parts[kind] * 1e6 / n);
  }
  double load = Median(loads), floor = Median(floors);
  // | build | lines | LoadFontList | floor | load / floor | per line: load, floor, the floor's
  // font file, .Fot and WIN.INI lookups (µs) |
  std::printf("| %s | %d | %.1f | %.1f | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f |\n", BuildName(),
              n, load * 1e3, floor * 1e3, Median(ratios), load * 1e6 / n, floor * 1e6 / n,
              Median(parts[0]), Median(parts[1]), Median(parts[2]));
  std::printf("plot %d %.6f %.6f\n", n, load, floor);
  return 0;
}

}  // namespace

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

std::string HereDir() {
  char path[MAX_PATH];
  std::string here(path, GetModuleFileNameA(NULL, path, sizeof path));
  return here.substr(0, here.find_last_of('\\') + 1);
}

const char *BuildName() {
  return sizeof(void *) == 8 ? "x86_64" : "i686";
}

bool WriteHere(const std::string &name, const std::string &bytes) {
  HANDLE file = CreateFileA((HereDir() + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE) return false;
  BOOL wrote = bytes.empty() || WriteFile(file, bytes.data(), bytes.size(), &written, NULL);
  CloseHandle(file);
  return wrote && written == bytes.size();
}

bool LayOutList(int count, std::vector<BenchLine> *lines) {
  *lines = ShortestLines(count);
  std::string text;
  bool written = true;
  for (const BenchLine &line : *lines) {
    text += line.fileName + " " + line.fontName + "\r\n";
    if (GetFileAttributesA((HereDir() + line.fileName).c_str()) == INVALID_FILE_ATTRIBUTES)
      written = written && WriteHere(line.fileName, "");
  }
  if (written && WriteHere("Quillbox.Lst", text)) return true;
  std::fprintf(stderr, "cannot lay out the list and its font files in %s\n", HereDir().c_str());
  return false;
}

int main(int argc, char **argv) {
  const char *command = argc > 2 ? argv[1] : "";
  int count = argc > 2 ? std::atoi(argv[2]) : 0;
  if (argc > 2 && std::strcmp(argv[2], "largest") == 0) count = LargestList;
  int repeats = argc > 3 ? std::atoi(argv[3]) : 0;
  int status = 2;
  if (std::strcmp(command, "loader") == 0 && repeats > 0) status = LoaderCommand(count, repeats);
  if (std::strcmp(command, "start") == 0 && repeats > 0) status = StartCommand(count, repeats);
  if (std::strcmp(command, "run") == 0 && count > 0) status = RunCommand(count);
  if (status == 2) std::fprintf(stderr, "usage: qb_bench loader|start LINES REPEATS | run FONTS\n");
  std::fflush(stdout);
  return status;
}
