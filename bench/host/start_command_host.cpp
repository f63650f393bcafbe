// `start`: the start to the selection dialog is timed under Wine only, since the host build has
// no windows; so is the run, whose host clock is virtual.
#include <cstdio>

#include "common/bench_commands.h"

int StartCommand(const Arguments &) {
  std::fprintf(stderr, "the start is timed under Wine only: the host build has no windows\n");
  return 2;
}

int FontRunCommand(const Arguments &) {
  std::fprintf(stderr, "the run is timed under Wine only: the host's clock is virtual\n");
  return 2;
}
