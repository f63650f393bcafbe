// Each of the seven checks failing in turn, answered OK and answered Cancel: the message, what
// remains of the failed font, the bar, whether the next font follows, and the summary. The
// originals are to be deleted throughout, so that a deletion after a failure would show.
#include <gtest/gtest.h>
#include <winsim/sim.h>

#include "install/run_fixture.h"
#include "install/run_host.h"
#include "road_world.h"
#include "shell/globals.h"

namespace {

const std::string FailingName = "Quillbox Failing Serif";
const std::string NextName = "Quillbox Next Sans";
constexpr size_t PartialBytes = 7;

// A failure, its message and what is left of the failing font SERIF1.TTF after it.
struct FailureRow {
  int check;
  const char *message;
  const char
      *target;  // the copy: "" absent, "full" the whole font, "partial" what a full disk took
  const char *resource;  // SERIF1.Fot in the system directory: "" absent, or its old bytes
  const char *key;       // WIN.INI Fonts value of the font name
  bool inFontTable;      // added to the running system's font table
  bool source;           // the original beside the program
};

void PrintTo(const FailureRow &row, std::ostream *out) {
  *out << "check " << row.check;
}

const FailureRow FailureRows[] = {
    {1, "Cannot install the font 'Quillbox Failing Serif'.", "", "", "OLD.Fot", false, true},
    {2, "Cannot copy the font file 'SERIF1.TTF'.", "", "", "", false, false},
    {3, "Cannot create the resource file 'SERIF1.FOT'.", "", "earlier", "", false, true},
    {4, "Cannot copy the font file 'SERIF1.TTF'.", "partial", "", "", false, true},
    {5, "Cannot create the resource file 'SERIF1.FOT'.", "full", "", "", false, true},
    // Checks 6 and 7 take back what the attempt added: the .Fot and its font-table entry.
    {6, "Cannot install the font 'Quillbox Failing Serif'.", "full", "", "", false, true},
    {7, "Cannot install the font 'Quillbox Failing Serif'.", "full", "", "", false, true},
};

class RunFailures : public RunTest,
                    public testing::WithParamInterface<std::tuple<FailureRow, int>> {};

// SERIF1 (claims 1000 bytes) is set up to fail at the row's check, SANS2 (claims 3000) is sound.
TEST_P(RunFailures, ReportsTheCheckAndLeavesWhatItsStepsDid) {
  const FailureRow &row = std::get<0>(GetParam());
  const bool cancelled = std::get<1>(GetParam()) == IDCANCEL;
  const std::string font = Sandbox::RealFont(0);
  const std::string target = sandbox().InSystemDir("SERIF1.TTF");
  const std::string resource = sandbox().InSystemDir("SERIF1.Fot");
  runHost = RunHostRecord();
  DeleteOriginals = 1;
  if (row.check == 1) sandbox().SetFontsKey(FailingName, "OLD.Fot");
  if (row.check == 2) AddRecord("serif1.ttf", FailingName, 1000);
  if (row.check != 2) AddFont("serif1.ttf", FailingName, font, 1000);
  if (row.check == 3) sandbox().WriteFile(resource, "earlier");
  if (row.check == 4) winsim::ShortWrite(target, PartialBytes);
  if (row.check == 5) winsim::FailCreateScalableFontResource(1, winsim::Times::Once);
  if (row.check == 6) winsim::FailAddFontResource(1, winsim::Times::Once);
  if (row.check == 7) winsim::FailProfileWrite(1, winsim::Times::Once);
  AddFont("sans2.ttf", NextName, Sandbox::RealFont(3), 3000);
  boxes().Answer(cancelled ? IDCANCEL : IDOK);
  Run();

  // What remains of the failed font.
  std::string copy = row.target;
  EXPECT_EQ(!copy.empty(), sandbox().Exists(target));
  EXPECT_EQ(copy == "full" ? font : font.substr(0, copy.empty() ? 0 : PartialBytes),
            sandbox().ReadFile(target));
  EXPECT_EQ(*row.resource != '\0', sandbox().Exists(resource));
  EXPECT_EQ(row.resource, sandbox().ReadFile(resource));
  EXPECT_EQ(row.key, sandbox().FontsKey(FailingName));
  bool inFontTable = false;
  for (const std::string &added : winsim::FontResources())
    inFontTable = inFontTable || lstrcmpiA(added.c_str(), resource.c_str()) == 0;
  EXPECT_EQ(row.inFontTable, inFontTable);
  EXPECT_EQ(row.source, sandbox().Exists(sandbox().InProgramDir("serif1.ttf")));

  // Cancel stops at once: the bar keeps its width, the next font is not reached. OK passes over
  // the font: the bar advances by its 1000 of 4000 bytes, and the next font is installed and, its
  // every step passed, its original deleted.
  ExpectBoxes(
      {{row.message, Failure},
       {cancelled ? "No new fonts were installed." : "1 new TrueType font is now available.",
        Summary}});
  const std::vector<int> percents = cancelled ? std::vector<int>() : std::vector<int>({25, 100});
  EXPECT_EQ(percents, runHost.percents);
  EXPECT_EQ(!cancelled, sandbox().FontsKey(NextName) == "SANS2.Fot" &&
                            sandbox().Exists(sandbox().InSystemDir("SANS2.Fot")));
  EXPECT_EQ(cancelled, sandbox().Exists(sandbox().InProgramDir("sans2.ttf")));
  EXPECT_EQ(cancelled ? 0u : 2u, Broadcasts().size());
  EXPECT_EQ(cancelled ? FailingName : NextName, Line(RunFontLine));
}

std::string RowName(const testing::TestParamInfo<std::tuple<FailureRow, int>> &info) {
  return "Check" + std::to_string(std::get<0>(info.param).check) +
         (std::get<1>(info.param) == IDCANCEL ? "Cancel" : "Ok");
}

INSTANTIATE_TEST_SUITE_P(SevenChecks, RunFailures,
                         testing::Combine(testing::ValuesIn(FailureRows),
                                          testing::Values(IDOK, IDCANCEL)),
                         RowName);

}  // namespace
