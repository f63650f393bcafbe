// One case of the road from the list file to the installed fonts, decoded from arbitrary bytes:
// the list file, the folder around it, the user's choices and at most one injected fault. The
// same case runs under libFuzzer (fuzz_target.cpp) and as a replayed test (tests/fuzzreplay).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes of a case, in order (missing bytes read as 0):
//   0      machine: 0x01 delete originals, 0x02 system directory reported with a backslash,
//          0x04 the program lies in the system directory, 0x08 a program directory of 115
//          characters, 0x10 a system directory of 115 characters, 0x20 WIN.INI without [Fonts]
//   1      the pump that finds the run stopped (1 = before the first font; 0 = none)
//   2      the fault: 0 none, then allocation, open, create, read, write, close, delete,
//          profile write, profile read, font resource creation, font resource addition (mod 12)
//   3      low 7 bits + 1: the call that fails; 0x80: it and every later one
//   4..7   two bits per message box, in the order shown: 0 or 3 OK, 1 Cancel, 2 the box fails
//   8..23  one byte per list line (line n uses byte 8 + n % 16) and per table record (record n
//          likewise): 0x01 its font file lies beside the program, 0x02 its .Fot file lies in the
//          system directory, 0x0C its WIN.INI key (1 with a value, 2 empty), 0x10 the record is
//          selected, 0xC0 the file's size class (0 empty, 1 under 512 bytes, 2 under 16 KiB,
//          3 above 16 KiB; all but the empty one are sound fonts)
//   24..   the list file, Quillbox.Lst
constexpr size_t RoadHeaderSize = 24;

enum class RoadFault {
  None,
  Allocation,
  Open,
  Create,
  Read,
  Write,
  Close,
  Delete,
  ProfileWrite,
  ProfileRead,
  CreateResource,
  AddResource,
  Count
};

struct RoadInput {
  bool deleteOriginals = false;
  bool systemBackslash = false;
  bool programInSystem = false;
  bool deepProgram = false;
  bool deepSystem = false;
  bool noFontsSection = false;
  int stopAtPump = 0;
  RoadFault fault = RoadFault::None;
  int faultNth = 1;
  bool faultFromThenOn = false;
  int answers[16] = {};  // IDOK, IDCANCEL or 0
  unsigned char lineFlags[16] = {};
  std::string list;
};

RoadInput DecodeRoadInput(const uint8_t *data, size_t size);

// One CR LF line of the list file as a reader sees it: the first 127 bytes, the first field (at
// most 15 characters kept) and the font name after it, trailing blanks removed.
struct ListLine {
  std::string raw;  // the whole line without its CR LF
  std::string fileName;
  std::string fontName;
  bool hasFontName = false;
};
std::vector<ListLine> SplitListLines(const std::string &list);

// What a case came to: a description of each property that failed (empty when all held), how
// often its fault fired, and the summary's text ("" when the loader offered nothing).
struct RoadOutcome {
  std::string failures;
  int faultsFired = 0;
  std::string summary;
};

// Runs the case on a fresh simulated machine and checks every property.
RoadOutcome RunRoad(const RoadInput &input);
// The same for a case given as bytes; returns the failures.
std::string CheckRoadCase(const uint8_t *data, size_t size);
