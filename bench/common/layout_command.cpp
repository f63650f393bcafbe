// `layout DIR LINES`: writes Quillbox.Lst with the shortest lines and an empty font file for each
// line into the program's folder, so that every line is accepted.
#include <cstdio>

#include "bench_commands.h"
#include "bench_lines.h"
#include "bench_place.h"

int LayoutCommand(const Arguments &args) {
  if (!OpenPlace(args[0])) return 1;
  std::vector<BenchLine> lines = ShortestLines(LineCountArgument(args[1]));
  std::string text = ListText(lines);
  if (!WriteWholeFile(ProgramDir(), "Quillbox.Lst", text)) {
    std::fprintf(stderr, "cannot write the list file in %s\n", ProgramDir().c_str());
    return 1;
  }
  for (const BenchLine &line : lines) {
    if (!WriteWholeFile(ProgramDir(), line.fileName, "")) {
      std::fprintf(stderr, "cannot write %s in %s\n", line.fileName.c_str(), ProgramDir().c_str());
      return 1;
    }
  }
  std::printf("laid out %zu lines, %zu bytes, in %s\n", lines.size(), text.size(),
              ProgramDir().c_str());
  return 0;
}
