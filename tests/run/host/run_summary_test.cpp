// How a run ends: the summary's wording by the number of fonts added, the broadcasts, a stop by
// the pump, a run with nothing selected, and a message box that could not be shown.
#include <gtest/gtest.h>

#include "run/run_fixture.h"
#include "run/run_host_double.h"
#include "winsim/sim.h"

namespace {

constexpr UINT Failure = MB_ICONWARNING | MB_OKCANCEL;
constexpr UINT Summary = MB_ICONINFORMATION;

class RunSummaryTest : public RunTest {};

// Nothing to install, with records that are not selected and with none at all.
TEST_F(RunSummaryTest, NothingSelectedNeitherPumpsNorMovesTheBarNorBroadcasts) {
  for (bool withRecords : {true, false}) {
    SCOPED_TRACE(withRecords ? "nothing selected" : "empty table");
    FreshMachine();
    if (withRecords) {
      AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0), false);
      AddFont("sans2.ttf", "Sans Two", Sandbox::RealFont(3), false);
    }
    Run();
    ExpectBoxes({{"No new fonts were installed.", Summary}});
    EXPECT_EQ(0, run_host::Count(run_host::Call::Pump));
    EXPECT_EQ(0, run_host::Count(run_host::Call::Update));
    EXPECT_TRUE(Broadcasts().empty());
    EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("SERIF1.TTF")));
    EXPECT_EQ("", FontLine());
    EXPECT_EQ(0, winsim::LockedBlocks());
  }
}

TEST_F(RunSummaryTest, WordingFollowsTheFontsAdded) {
  struct Row {
    const char *context;
    int fontsPerResource;
    int fonts;
    const char *summary;
  } rows[] = {
      {"one font", 1, 1, "1 new TrueType font is now available."},
      {"two fonts", 1, 2, "2 new TrueType fonts are now available."},
      {"one resource adding two fonts", 2, 1, "2 new TrueType fonts are now available."},
      {"two resources adding three each", 3, 2, "6 new TrueType fonts are now available."},
  };
  int row_number = 0;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    // The rows share the machine: each installs fonts of its own names.
    ReleaseFontList();
    run_host::Reset();
    winsim::SetAddFontResourceResult(row.fontsPerResource);
    for (int i = 0; i < row.fonts; i++) {
      std::string name = "R" + std::to_string(row_number) + "F" + std::to_string(i);
      AddFont(name + ".TTF", "Font " + name, Sandbox::RealFont(i));
    }
    row_number++;
    const size_t broadcastsBefore = Broadcasts().size();
    MessageBoxWatch watch;
    Run();
    ASSERT_EQ(1u, watch.Shown().size());
    EXPECT_EQ(row.summary, watch.Shown()[0].text);
    EXPECT_EQ(Summary, watch.Shown()[0].style);
    std::vector<SeenBroadcast> broadcasts = Broadcasts();
    ASSERT_EQ(broadcastsBefore + 2, broadcasts.size());
    EXPECT_EQ(static_cast<UINT>(WM_FONTCHANGE), broadcasts[broadcastsBefore].message);
    EXPECT_EQ(static_cast<UINT>(WM_WININICHANGE), broadcasts[broadcastsBefore + 1].message);
    EXPECT_EQ("Fonts", broadcasts[broadcastsBefore + 1].text);
  }
}

// A resource whose WIN.INI entry cannot be written is taken out of the font table again, and
// is not counted.
TEST_F(RunSummaryTest, FontAddedButNotRegisteredIsNotCounted) {
  winsim::SetAddFontResourceResult(2);
  winsim::FailProfileWrite(1, winsim::Times::Once);
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  AddFont("sans2.ttf", "Sans Two", Sandbox::RealFont(3));
  Run();
  ExpectBoxes({{"Cannot install the font 'Serif One'.", Failure},
               {"2 new TrueType fonts are now available.", Summary}});
  EXPECT_EQ(1u, winsim::FontResources().size());
}

TEST_F(RunSummaryTest, PumpStopBeforeAFontEndsTheRunWithTheFontsFinished) {
  AddFontSized("serif1.ttf", "Serif One", Sandbox::RealFont(0), 100);
  AddFontSized("sans2.ttf", "Sans Two", Sandbox::RealFont(3), 300);
  AddFontSized("mono3.ttf", "Mono Three", Sandbox::RealFont(2), 600);
  run_host::AnswerPumps({1, 0});
  Run();
  ExpectBoxes({{"1 new TrueType font is now available.", Summary}});
  EXPECT_EQ((std::vector<int>{10}), run_host::Percents());
  EXPECT_EQ(2, run_host::Count(run_host::Call::Pump));
  EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey("Serif One"));
  EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("SANS2.TTF")));
  EXPECT_EQ("", sandbox().FontsKey("Sans Two"));
  EXPECT_EQ(2u, Broadcasts().size());
  // The lines still show the last font worked on; the stopped one was never shown.
  EXPECT_EQ("Serif One", FontLine());
}

TEST_F(RunSummaryTest, PumpStopBeforeTheFirstFontInstallsNothing) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  run_host::AnswerPumps({0});
  Run();
  ExpectBoxes({{"No new fonts were installed.", Summary}});
  EXPECT_TRUE(run_host::Percents().empty());
  EXPECT_FALSE(sandbox().Exists(sandbox().InSystemDir("SERIF1.TTF")));
  EXPECT_EQ("", FontLine());
  EXPECT_TRUE(Broadcasts().empty());
}

// A message box that cannot be shown answers 0; the run takes that as OK and goes on.
TEST_F(RunSummaryTest, FailedMessageBoxPassesOverTheFont) {
  AddRecord("gone.ttf", "Gone", 100);
  AddFont("sans2.ttf", "Sans Two", Sandbox::RealFont(3));
  boxes().Answer(0);
  Run();
  ExpectBoxes({{"Cannot copy the font file 'GONE.TTF'.", Failure},
               {"1 new TrueType font is now available.", Summary}});
  EXPECT_EQ(2, run_host::Count(run_host::Call::Update));
  EXPECT_EQ("SANS2.Fot", sandbox().FontsKey("Sans Two"));
}

// The table stays locked through every pump and is unlocked when the run ends; the run writes
// nothing into it.
TEST_F(RunSummaryTest, TableLockedThroughTheRunAndUnchanged) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  AddRecord("gone.ttf", "Gone", 100);
  std::vector<UINT> lockCounts;
  run_host::DuringPump([&] { lockCounts.push_back(GlobalFlags(FontList) & GMEM_LOCKCOUNT); });
  Run();
  EXPECT_EQ((std::vector<UINT>{1, 1}), lockCounts);
  EXPECT_EQ(0u, GlobalFlags(FontList) & GMEM_LOCKCOUNT);
  for (int i = 0; i < 2; i++) EXPECT_EQ(1, Record(i).selected);
  EXPECT_STREQ("serif1.ttf", Record(0).fileName);
  EXPECT_STREQ("Gone", Record(1).fontName);
  EXPECT_EQ(100, Record(1).fileSize);
}

}  // namespace
