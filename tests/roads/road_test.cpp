// Roads judged by the oracle: every corpus file, every fault point of a few representative roads,
// and seeded random roads. QB_ROAD_SEED=N replays one random road; QB_ROAD_SECONDS=N runs fresh
// seeds for that long and reports roads per second (scripts/fuzz.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

#include "common/shim.h"
#include "roads/road.h"

namespace {

std::string ReadCorpus(const std::string &name) {
  return Sandbox::Read(std::string(QB_ROAD_CORPUS) + "/" + name);
}

std::vector<std::string> CorpusNames() {
  std::istringstream index(ReadCorpus("INDEX"));
  std::vector<std::string> names;
  for (std::string name; index >> name;) names.push_back(name);
  return names;
}

// A random road: a corpus road with bytes of its header and its list changed, cut out, or taken
// from another road's list; every byte string is a road.
std::string RandomRoad(uint32_t seed) {
  static const std::vector<std::string> names = CorpusNames();
  std::mt19937 random(seed);
  std::string bytes = ReadCorpus(names[random() % names.size()]);
  std::string other = ReadCorpus(names[random() % names.size()]) + "\r\n";
  for (unsigned changes = 1 + random() % 6; changes > 0; changes--) {
    size_t at = random() % (bytes.size() + 1), length = random() % 24;
    if (random() % 3 == 0) bytes[random() % RoadHeaderSize] = static_cast<char>(random());
    if (random() % 3 == 0) bytes.erase(std::max(at, RoadHeaderSize), length);
    if (random() % 2 == 0) bytes.insert(at, other.substr(random() % other.size(), length));
  }
  return bytes;
}

TEST(Roads, EveryCorpusRoadKeepsEveryProperty) {
  std::vector<std::string> names = CorpusNames();
  ASSERT_GE(names.size(), 40u) << "the corpus index is missing";
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ("", RunRoad(DecodeRoad(ReadCorpus(name))));
  }
}

// Each call of each kind fails in turn, once and from then on, until a run passes with no fault
// fired: on a road that installs, deletes and passes over fonts; and once each call that opens a
// file on a road in the system directory, where a font's source is its installed copy.
TEST(Roads, EveryFaultPointOfRepresentativeRoads) {
  for (const char *name : {"example-delete", "example-in-system-directory"}) {
    Road road = DecodeRoad(ReadCorpus(name));
    for (int kind = 0; kind < shim::KindCount; kind++) {
      for (bool fromThenOn : {false, true}) {
        if ((road.machine & 0x04) && (fromThenOn || kind != shim::Open)) continue;
        for (int nth = 1; nth < 400; nth++) {
          road.faultKind = kind, road.faultNth = nth, road.faultFromThenOn = fromThenOn;
          int fired = 0;
          std::string failures = RunRoad(road, &fired);
          EXPECT_EQ("", failures) << name << ": kind " << kind << ", call " << nth
                                  << (fromThenOn ? " and on" : "");
          if (fired == 0) break;
        }
      }
    }
  }
}

TEST(Roads, RandomRoads) {
  const char *seed = getenv("QB_ROAD_SEED"), *seconds = getenv("QB_ROAD_SECONDS");
  DWORD limit = seconds != nullptr ? 1000 * strtoul(seconds, nullptr, 10) : 0;
  DWORD start = GetTickCount();
  uint32_t first = seed != nullptr ? strtoul(seed, nullptr, 10) : limit != 0 ? start * 7919u : 1;
  uint32_t count = 0;
  for (; seed ? count < 1 : limit != 0 ? GetTickCount() - start < limit : count < 60; count++) {
    std::string failures = RunRoad(DecodeRoad(RandomRoad(first + count)));
    if (!failures.empty()) {
      ADD_FAILURE() << "seed " << first + count << ":\n"
                    << failures << "replay: QB_ROAD_SEED=" << first + count
                    << " scripts/fuzz.sh replay";
      break;
    }
  }
  double elapsed = (GetTickCount() - start) / 1000.0;
  printf("%u roads in %.1f s: %.1f roads per second\n", count, elapsed, count / (elapsed + 1e-9));
}

constexpr unsigned Offered = 0x51;  // the font file is there and selected, a real font

}  // namespace

// Each reason the program gives the user, in its own words: the loader's for offering nothing,
// and the run's for each font it refuses, whether another program changed the machine during the
// pump, a call failed, or the file is no whole font. Where only the run changed the machine, the
// oracle judges the road as well.
TEST(Roads, EachRefusalIsToldInItsOwnWords) {
  const std::string fonts = "Z:\\usr\\share\\fonts\\";
  const std::string collection = Sandbox::Read(fonts + "truetype\\wqy\\wqy-microhei.ttc");
  const std::string cff = Sandbox::Read(fonts + "opentype\\cantarell\\Cantarell-Regular.otf");
  const std::string font = Sandbox::Font(3);  // two chunks of the copy
  const std::string copy = "Cannot copy the font file 'F1.TTF'.";
  const std::string resource = "Cannot create the resource file 'F1.FOT'.";
  const std::string install = "Cannot install the font 'Font One'.";
  using Action = std::function<void(const Sandbox &)>;
  std::string longListing;
  for (int i = 0; i < 4000; i++) longListing += "Other Font " + std::to_string(i) + "=X.FOT\r\n";
  // Empty told: the run installs, and the oracle judges its summary by the count the system gave.
  struct Row {
    const char *context;
    std::string told;
    int fault = -1, nth = 1;
    std::string firstFont = "";
    Action during = nullptr;  // what another program does while the first pump runs
    unsigned flags = Offered;
    std::string list = "F1.TTF Font One\r\n";
    std::vector<std::pair<std::string, std::string>> registry = {};
    std::string fontsKeys = "";
  } rows[] = {
      {"empty list", "The file 'quillbox.lst' is not found or incorrect.", -1, 1, "", nullptr,
       Offered, ""},
      {"no memory for the list", "Available memory is not enough.", shim::Allocation},
      {"no font file", "There are no font files.", -1, 1, "", nullptr, 0},
      {"all installed", "All additional TrueType fonts are already installed.", -1, 1, "", nullptr,
       Offered | 0x04},
      // The loader's listing of the keys grows its buffer until the whole listing fits.
      {"installed behind a long key listing",
       "All additional TrueType fonts are already installed.",
       -1,
       1,
       "",
       nullptr,
       Offered,
       "F1.TTF Font One\r\n",
       {},
       longListing + "Font One=F1.FOT\r\n"},
      {"1: installed meanwhile", install, -1, 1, "",
       [](const Sandbox &box) { box.SetKey("Font One", "ELSE.FOT"); }},
      {"2: source gone", copy, -1, 1, "",
       [](const Sandbox &box) { DeleteFileA((box.program + "F1.TTF").c_str()); }},
      {"3: resource made meanwhile", resource, -1, 1, "",
       [](const Sandbox &box) { box.Write(box.system + "F1.Fot", "x"); }},
      {"3: listed under its resource's name", resource, -1, 1, "", nullptr, Offered,
       "F1.FOT Font One\r\n"},
      {"4: copy not created", copy, shim::Create},
      {"4: copy cut short", copy, shim::Write, 2, font},
      {"4: no font over a program", copy, -1, 1, "",
       [](const Sandbox &box) { box.Write(box.system + "F1.TTF", "MZ a program"); }},
      {"4: a tag alone", copy, -1, 1, std::string("\0\1\0\0", 4)},
      {"4: a truncated font", copy, -1, 1, font.substr(0, font.size() / 2)},
      {"4: a table past the end", copy, -1, 1, font.substr(0, 12 + 16 * font[5])},
      {"5: resource not made", resource, shim::CreateResource},
      {"5: CFF outlines", resource, -1, 1, cff},
      {"6: not added", install, shim::AddResource},
      {"7: not written", install, shim::ProfileWrite},
      {"a collection installs", "", -1, 1, collection},
      {"another font's registry value is kept",
       "",
       -1,
       1,
       "",
       nullptr,
       Offered,
       "F1.TTF Font One\r\n",
       {{"Font One (TrueType)", "C:\\OTHER.TTF"}}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    Road road = DecodeRoad(std::string(RoadHeaderSize, '\0') + row.list);
    road.lineFlags[0] = static_cast<unsigned char>(row.flags);
    road.faultKind = row.fault, road.faultNth = row.nth, road.firstFont = row.firstFont;
    road.duringFirstPump = row.during, road.registryFonts = row.registry;
    road.fontsKeys = row.fontsKeys;
    std::vector<std::string> boxes;
    std::string failures = RunRoad(road, nullptr, &boxes);
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(row.told.empty() || row.told == boxes[0]) << boxes[0];
    EXPECT_TRUE(row.during || failures.empty()) << failures;
  }
}
