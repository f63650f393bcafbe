// Each of the seven checks failing in turn, answered OK and answered Cancel: the message, what
// remains of the failed font, the bar, whether the next font follows, and the summary. The
// originals are to be deleted throughout, so that a deletion after a failure would show.
#include <gtest/gtest.h>

#include "run/run_fixture.h"
#include "run/run_host_double.h"
#include "shell/globals.h"
#include "winsim/sim.h"

namespace {

constexpr UINT Failure = MB_ICONWARNING | MB_OKCANCEL;
constexpr UINT Summary = MB_ICONINFORMATION;
const std::string FailingName = "Quillbox Failing Serif";
const std::string NextName = "Quillbox Next Sans";

// What is left of the failing font SERIF1.TTF after its failure.
struct Remains {
  const char *target;  // "" absent, "full" the whole font, "partial" the bytes a full disk took
  bool resource;       // SERIF1.Fot in the system directory
  const char *resourceBytes;  // expected content of a .Fot that was there before, or nullptr
  const char *key;            // WIN.INI Fonts value of the font name
  bool inFontTable;           // added to the running system's font table
  bool source;                // the original beside the program
};

struct FailureRow {
  int check;
  const char *message;
  Remains remains;
};

// Names a row by its check in gtest's messages.
void PrintTo(const FailureRow &row, std::ostream *out) {
  *out << "check " << row.check;
}

constexpr size_t PartialBytes = 7;

const FailureRow FailureRows[] = {
    {1,
     "Cannot install the font 'Quillbox Failing Serif'.",
     {"", false, nullptr, "OLD.Fot", false, true}},
    {2, "Cannot copy the font file 'SERIF1.TTF'.", {"", false, nullptr, "", false, false}},
    {3, "Cannot create the resource file 'SERIF1.FOT'.", {"", true, "earlier", "", false, true}},
    {4, "Cannot copy the font file 'SERIF1.TTF'.", {"partial", false, nullptr, "", false, true}},
    {5, "Cannot create the resource file 'SERIF1.FOT'.", {"full", false, nullptr, "", false, true}},
    {6,
     "Cannot install the font 'Quillbox Failing Serif'.",
     {"full", false, nullptr, "", false, true}},
    {7,
     "Cannot install the font 'Quillbox Failing Serif'.",
     {"full", false, nullptr, "", false, true}},
};

class RunFailureTest : public RunTest,
                       public testing::WithParamInterface<std::tuple<FailureRow, int>> {
 protected:
  // SERIF1 (claims 1000 bytes) is set up to fail at check, SANS2 (claims 3000) is sound.
  void Prepare(int check, const std::string &font) {
    const std::string target = sandbox().InSystemDir("SERIF1.TTF");
    if (check == 1) sandbox().SetFontsKey(FailingName, "OLD.Fot");
    if (check == 2) {
      AddRecord("serif1.ttf", FailingName, 1000);
    } else {
      AddFontSized("serif1.ttf", FailingName, font, 1000);
    }
    if (check == 3) sandbox().WriteFile(sandbox().InSystemDir("SERIF1.Fot"), "earlier");
    if (check == 4) winsim::ShortWrite(target, PartialBytes);
    if (check == 5) winsim::FailCreateScalableFontResource(1, winsim::Times::Once);
    if (check == 6) winsim::FailAddFontResource(1, winsim::Times::Once);
    if (check == 7) winsim::FailProfileWrite(1, winsim::Times::Once);
    AddFontSized("sans2.ttf", NextName, Sandbox::RealFont(3), 3000);
  }

  void ExpectRemains(const Remains &remains, const std::string &font) {
    std::string target = sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF"));
    std::string expected = "";
    if (std::string(remains.target) == "full") expected = font;
    if (std::string(remains.target) == "partial") expected = font.substr(0, PartialBytes);
    EXPECT_EQ(std::string(remains.target) != "",
              sandbox().Exists(sandbox().InSystemDir("SERIF1.TTF")));
    EXPECT_EQ(expected, target);
    EXPECT_EQ(remains.resource, sandbox().Exists(sandbox().InSystemDir("SERIF1.Fot")));
    if (remains.resourceBytes != nullptr) {
      EXPECT_EQ(remains.resourceBytes, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.Fot")));
    }
    EXPECT_EQ(remains.key, sandbox().FontsKey(FailingName));
    EXPECT_EQ(remains.inFontTable, InFontTable("SERIF1.Fot"));
    EXPECT_EQ(remains.source, sandbox().Exists(sandbox().InProgramDir("serif1.ttf")));
  }

  bool InFontTable(const std::string &resource) {
    const std::string path = sandbox().InSystemDir(resource);
    for (const std::string &added : winsim::FontResources()) {
      if (lstrcmpiA(added.c_str(), path.c_str()) == 0) return true;
    }
    return false;
  }

  bool NextInstalled() {
    return sandbox().Exists(sandbox().InSystemDir("SANS2.TTF")) &&
           sandbox().Exists(sandbox().InSystemDir("SANS2.Fot")) &&
           sandbox().FontsKey(NextName) == "SANS2.Fot";
  }
};

// One row of the table and one answer per test, each on a fresh machine.
TEST_P(RunFailureTest, ReportsTheCheckAndLeavesWhatItsStepsDid) {
  const FailureRow &row = std::get<0>(GetParam());
  const int answer = std::get<1>(GetParam());
  const std::string font = Sandbox::RealFont(0);
  DeleteOriginals = 1;
  Prepare(row.check, font);
  boxes().Answer(answer);
  Run();

  ExpectRemains(row.remains, font);
  if (answer == IDCANCEL) {
    // Stopped at once: the bar keeps its width, the next font is not reached.
    ExpectBoxes({{row.message, Failure}, {"No new fonts were installed.", Summary}});
    EXPECT_TRUE(run_host::Percents().empty());
    EXPECT_EQ(1, run_host::Count(run_host::Call::Pump));
    EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("SANS2.TTF")));
    EXPECT_TRUE(sandbox().Exists(sandbox().InProgramDir("sans2.ttf")));
    EXPECT_TRUE(Broadcasts().empty());
    EXPECT_EQ(FailingName, FontLine());
  } else {
    // Passed over: the bar advances by its 1000 of 4000 bytes, and the next font is installed
    // and, having passed every step, its original deleted.
    ExpectBoxes({{row.message, Failure}, {"1 new TrueType font is now available.", Summary}});
    EXPECT_EQ((std::vector<int>{25, 100}), run_host::Percents());
    EXPECT_EQ(2, run_host::Count(run_host::Call::Pump));
    EXPECT_TRUE(NextInstalled());
    EXPECT_FALSE(sandbox().Exists(sandbox().InProgramDir("sans2.ttf")));
    EXPECT_EQ(2u, Broadcasts().size());
    EXPECT_EQ(NextName, FontLine());
    EXPECT_EQ("SANS2.TTF", FileLine());
  }
}

std::string RowName(const testing::TestParamInfo<std::tuple<FailureRow, int>> &info) {
  return "Check" + std::to_string(std::get<0>(info.param).check) +
         (std::get<1>(info.param) == IDCANCEL ? "Cancel" : "Ok");
}

INSTANTIATE_TEST_SUITE_P(SevenChecks, RunFailureTest,
                         testing::Combine(testing::ValuesIn(FailureRows),
                                          testing::Values(IDOK, IDCANCEL)),
                         RowName);

}  // namespace
