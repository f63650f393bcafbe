// The registry's font list, where the system finds fonts when a session starts: the value an
// installed font gets, the folder a 32-bit program names there, a value that another font owns,
// and a write that fails, which must change nothing else of the run.
#include <gtest/gtest.h>
#include <winsim/sim.h>

#include "install/run_fixture.h"

namespace {

const std::string ValueName = "Serif One (TrueType)";

class RunRegistryTest : public RunTest {
 protected:
  // What a run leaves, but for the registry: its boxes, broadcasts, system files and WIN.INI.
  std::string Outcome() {
    std::string outcome;
    for (const ShownMessageBox &box : boxes().Shown()) outcome += box.text + "\n";
    for (const auto &broadcast : Broadcasts()) outcome += broadcast.second + "\n";
    for (const auto &file : winsim::DriveFiles(sandbox().SystemDir()))
      outcome += file.first + " " + std::to_string(file.second.size()) + "\n";
    return outcome + sandbox().WinIni();
  }
};

TEST_F(RunRegistryTest, InstalledFontIsListedForTheNextSession) {
  struct Row {
    const char *context;
    void (*prepare)();
    const char *expected;  // the value afterwards; "" for none, "SYSTEM" for the system copy
  } rows[] = {
      {"a plain install", [] {}, "SYSTEM"},
      {"a 32-bit program on 64-bit Windows", [] { winsim::SetWow64("C:\\WINDOWS\\SYSWOW64"); },
       "C:\\WINDOWS\\SYSWOW64\\SERIF1.TTF"},
      {"a value naming another file is another font's",
       [] { winsim::SetFontValue(ValueName, "D:\\OTHER\\SERIF1.TTF"); }, "D:\\OTHER\\SERIF1.TTF"},
      {"a value naming this file in other case",
       [] { winsim::SetFontValue("serif one (truetype)", "c:\\windows\\system\\serif1.ttf"); },
       "SYSTEM"},
      {"the registry cannot be written", [] { winsim::FailRegistryWrite(); }, ""},
  };
  std::string plainOutcome;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    FreshMachine();
    row.prepare();
    AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
    Run();
    std::string expected = row.expected;
    if (expected == "SYSTEM") expected = sandbox().InSystemDir("SERIF1.TTF");
    std::string value;
    for (const auto &found : winsim::FontValues())
      if (lstrcmpiA(found.first.c_str(), ValueName.c_str()) == 0) value = found.second;
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), value.c_str())) << value;
    // Whatever became of the registry, the font is installed alike and told alike.
    if (plainOutcome.empty()) plainOutcome = Outcome();
    EXPECT_EQ(plainOutcome, Outcome());
  }
  EXPECT_NE(std::string::npos, plainOutcome.find("1 new TrueType font is now available."));
}

}  // namespace
