// Roads judged by the oracle: every corpus file, every fault point of a few representative roads,
// and seeded random roads. QB_ROAD_SEED=N replays one random road; QB_ROAD_SECONDS=N runs fresh
// seeds for that long and reports roads per second (scripts/fuzz.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/shim.h"
#include "roads/road.h"

namespace {

std::string ReadCorpus(const std::string &name) {
  std::ifstream in(std::string(QB_ROAD_CORPUS) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> CorpusNames() {
  std::vector<std::string> names;
  std::ifstream index(std::string(QB_ROAD_CORPUS) + "/INDEX");
  for (std::string name; std::getline(index, name);)
    if (!name.empty()) names.push_back(name);
  return names;
}

TEST(Roads, EveryCorpusRoadKeepsEveryProperty) {
  std::vector<std::string> names = CorpusNames();
  ASSERT_GE(names.size(), 40u) << "the corpus index is missing";
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    std::string bytes = ReadCorpus(name);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ("", RunRoad(DecodeRoad(bytes)));
  }
}

// Each call of each kind fails in turn, once and from then on, until a run passes with no fault
// fired: on a road that installs, deletes and replaces, and on one in the system directory.
TEST(Roads, EveryFaultPointOfRepresentativeRoads) {
  for (const char *name : {"example-delete", "example-in-system-directory", "two-files-one-fot"}) {
    Road road = DecodeRoad(ReadCorpus(name));
    for (int kind = 0; kind < shim::KindCount; kind++) {
      for (bool fromThenOn : {false, true}) {
        for (int nth = 1; nth < 400; nth++) {
          road.faultKind = kind;
          road.faultNth = nth;
          road.faultFromThenOn = fromThenOn;
          int fired = 0;
          std::string failures = RunRoad(road, &fired);
          EXPECT_EQ("", failures) << name << ": " << shim::KindName(kind) << " call " << nth
                                  << (fromThenOn ? " and on" : "");
          if (fired == 0) break;
        }
      }
    }
  }
}

TEST(Roads, RandomRoads) {
  const char *seed = getenv("QB_ROAD_SEED");
  const char *seconds = getenv("QB_ROAD_SECONDS");
  if (seed != nullptr) {
    EXPECT_EQ("", RunRoad(DecodeRoad(RandomRoadBytes(strtoul(seed, nullptr, 10)))));
    return;
  }
  DWORD limit = seconds != nullptr ? 1000 * strtoul(seconds, nullptr, 10) : 0;
  uint32_t first = limit != 0 ? GetTickCount() * 7919u : 1;
  DWORD start = GetTickCount();
  uint32_t count = 0;
  for (; limit != 0 ? GetTickCount() - start < limit : count < 60; count++) {
    std::string failures = RunRoad(DecodeRoad(RandomRoadBytes(first + count)));
    if (!failures.empty()) {
      ADD_FAILURE() << "seed " << first + count << ":\n"
                    << failures << "replay: QB_ROAD_SEED=" << first + count
                    << " scripts/fuzz.sh replay";
      break;
    }
  }
  double elapsed = (GetTickCount() - start) / 1000.0;
  printf("%u roads in %.1f s: %.1f roads per second\n", count, elapsed,
         elapsed > 0 ? count / elapsed : 0.0);
}

}  // namespace
