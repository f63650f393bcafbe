// The benchmark program: `qb_bench COMMAND ARGS...`. scripts/bench.sh runs it command by command
// and assembles the tables of build/bench/results.md from what it prints.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_commands.h"
#include "bench_lines.h"

int LineCountArgument(const std::string &text) {
  if (text == "largest") return LargestList;
  return std::atoi(text.c_str());
}

int main(int argc, char **argv) {
  struct Command {
    const char *name;
    size_t leastArguments;
    int (*run)(const Arguments &);
    const char *usage;
  };
  const Command commands[] = {
      {"layout", 2, LayoutCommand, "layout DIR LINES"},
      {"loader", 3, LoaderCommand, "loader DIR LINES REPEATS"},
      {"load", 2, LoadCommand, "load DIR LINES [plain]"},
      {"start", 3, StartCommand, "start DIR LINES REPEATS EXE..."},
      {"copy", 2, CopyCommand, "copy DIR REPEATS"},
      {"run", 2, FontRunCommand, "run DIR FONTS"},
  };
  Arguments args(argv + (argc > 1 ? 2 : argc), argv + argc);
  for (const Command &command : commands) {
    if (argc > 1 && std::strcmp(argv[1], command.name) == 0 &&
        args.size() >= command.leastArguments) {
      int status = command.run(args);
      std::fflush(stdout);
      return status;
    }
  }
  std::fprintf(stderr, "usage:\n");
  for (const Command &command : commands) std::fprintf(stderr, "  qb_bench %s\n", command.usage);
  return 2;
}
