// The libFuzzer entry: each input is one case of the road (see road_case.h); a property that
// does not hold stops the fuzzer with the case's description, as a crash would.
#include <cstdio>
#include <cstdlib>

#include "road_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string failures = CheckRoadCase(data, size);
  if (!failures.empty()) {
    std::fprintf(stderr, "road property failed:\n%s", failures.c_str());
    std::abort();
  }
  return 0;
}
