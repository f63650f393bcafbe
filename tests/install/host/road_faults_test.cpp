// The fault sweep across the whole road, SQLite style: for each kind of call the program makes on
// its way from the list file to the installed fonts (allocations, file opens, creates, reads,
// writes, closes and deletes, WIN.INI reads and writes, font resource creation and addition), the
// nth call fails for n = 1, 2, ... until a run passes without the fault firing; once the nth only,
// once every one from the nth on, and once the nth only with the first message answered Cancel.
// Each run is a case of the road fuzzer's and must keep every one of its properties.
#include <gtest/gtest.h>
#include <windows.h>

#include "road_case.h"

namespace {

// Five lines, three fonts to install (sizes that take the copy through one chunk and two):
// one more listed whose font is installed already, one whose file is missing. Every record is
// selected, and the originals are to be deleted.
RoadInput RoadOfThreeFonts() {
  RoadInput input;
  input.deleteOriginals = true;
  input.list =
      "SANS.TTF Quillbox Sans\r\nOLD.TTF Quillbox Old\r\nSERIF.TTF Quillbox Serif\r\n"
      "GONE.TTF Quillbox Gone\r\nMONO.TTF Quillbox Mono\r\n";
  // Present and selected; OLD has a WIN.INI key; the sizes: under 512 bytes, under 16 KiB, above.
  const unsigned char lines[] = {0x51, 0x55, 0x91, 0x10, 0xD1};
  for (size_t line = 0; line < sizeof lines; line++) input.lineFlags[line] = lines[line];
  for (int &answer : input.answers) answer = IDOK;
  return input;
}

struct Mode {
  const char *name;
  bool fromThenOn;
  int firstAnswer;
};

TEST(RoadFaults, EveryCallOfEachKindFailedInTurn) {
  const Mode modes[] = {{"once", false, IDOK},
                        {"from then on", true, IDOK},
                        {"once, answered Cancel", false, IDCANCEL}};
  for (int kind = 1; kind < static_cast<int>(RoadFault::Count); kind++) {
    for (const Mode &mode : modes) {
      int nth = 1;
      for (;; nth++) {
        SCOPED_TRACE(testing::Message()
                     << "fault kind " << kind << " (in the order of RoadFault), call " << nth
                     << ", " << mode.name);
        RoadInput input = RoadOfThreeFonts();
        input.fault = static_cast<RoadFault>(kind);
        input.faultNth = nth;
        input.faultFromThenOn = mode.fromThenOn;
        input.answers[0] = mode.firstAnswer;
        RoadOutcome outcome = RunRoad(input);
        EXPECT_EQ("", outcome.failures);
        // A single fault harms no font but the one at hand.
        if (!mode.fromThenOn && mode.firstAnswer == IDOK && !outcome.summary.empty()) {
          EXPECT_NE(std::string::npos, outcome.summary.find(" fonts are now")) << outcome.summary;
        }
        if (outcome.faultsFired == 0) break;
        ASSERT_LT(nth, 300) << "the sweep does not end";
      }
      EXPECT_GT(nth, 1) << "the road makes no call of kind " << kind << ", " << mode.name;
    }
  }
}

}  // namespace
