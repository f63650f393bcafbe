// One road from the list file to the installed fonts, decoded from bytes: the list file, the folder
// around it, the user's choices and at most one fault. Every byte string is a road, so the corpus
// files, the fault sweep and the random roads all run the same way, under Wine on real files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/sandbox.h"

// The bytes of a road, in order (missing bytes read as 0):
//   0      0x01 delete originals, 0x02 system directory reported with a backslash, 0x04 the
//          program lies in the system directory, 0x08 a program directory of 115 characters,
//          0x10 a system directory of 115 characters, 0x20 WIN.INI without [Fonts]
//   1      the pump that finds the run stopped by the user (1 = before the first font; 0 none)
//   2      the fault's kind (mod 12): none, allocation, open, create, read, write, close, delete,
//          profile write, profile read, resource creation, resource addition
//   3      low 7 bits + 1: the call that fails; 0x80: it and every later one
//   4..7   two bits per message box, in the order shown: 0 or 3 OK, 1 Cancel, 2 the box fails
//   8..23  one byte per list line (line n uses byte 8 + n % 16) and per record (likewise): 0x01
//          its font file lies beside the program, 0x02 its .Fot lies in the system directory,
//          0x0C its WIN.INI key (1 with a value, 2 empty), 0x10 the record is selected, 0xC0 the
//          file's size class (0 empty, 1 to 3 real fonts of growing size)
//   24..   the list file
constexpr size_t RoadHeaderSize = 24;

struct Road {
  unsigned machine = 0;
  int stopAtPump = 0, faultKind = -1, faultNth = 1;  // faultKind: a shim::Kind, or -1
  bool faultFromThenOn = false;
  int answers[16] = {};
  unsigned char lineFlags[16] = {};
  std::string list;
  // For a test's own roads: the bytes of the first line's font file, when not empty, and what
  // another program does on the machine while the first pump runs.
  std::string firstFont;
  std::function<void(const Sandbox &)> duringFirstPump;
  std::vector<std::pair<std::string, std::string>> registryFonts;  // values already there
  std::string fontsKeys;  // lines after the first of WIN.INI's [Fonts]
};

Road DecodeRoad(const std::string &bytes);

// One CR LF line as a reader sees it: in its first 127 bytes, the first field and the trimmed rest.
struct ListLine {
  std::string fileName, fontName;
  bool hasFontName = false;
};
std::vector<ListLine> SplitListLines(const std::string &list);

// Runs the road on a fresh sandbox and checks it with the oracle: every property that failed, one
// per line, or "" when all held. *faultsFired counts the fault's firings, *boxes receives the
// texts of the message boxes shown (when given).
std::string RunRoad(const Road &road, int *faultsFired = nullptr,
                    std::vector<std::string> *boxes = nullptr);
