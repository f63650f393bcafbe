// The names and paths the run composes: the exact case of what it creates, a file name without a
// dot, names and paths that do not fit their buffers, and a program lying in the system directory
// under another spelling of its path.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "run/run_fixture.h"
#include "run/run_host_double.h"
#include "shell/globals.h"
#include "winsim/identity_sim.h"
#include "winsim/sim.h"

namespace {

constexpr UINT Failure = MB_ICONWARNING | MB_OKCANCEL;
constexpr UINT Summary = MB_ICONINFORMATION;
const std::string Installed = "1 new TrueType font is now available.";
const std::string NoneInstalled = "No new fonts were installed.";

// "C:\PPP...\" of exactly length characters, the final backslash included.
std::string DirectoryOfLength(size_t length, char fill = 'P') {
  return "C:\\" + std::string(length - 4, fill) + "\\";
}

std::vector<std::string> HostNames(const std::string &winDirectory) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(winsim::HostPath(winDirectory))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class RunPathsTest : public RunTest {};

TEST_F(RunPathsTest, CreatesTheUpperCaseCopyAndTheFotExactlySoNamed) {
  AddFont("serif1.ttf", "Serif One", Sandbox::RealFont(0));
  Run();
  EXPECT_EQ((std::vector<std::string>{"SERIF1.Fot", "SERIF1.TTF"}),
            HostNames(sandbox().SystemDir()));
  EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey("Serif One"));
}

TEST_F(RunPathsTest, FileNameWithoutDotGetsFotAppended) {
  AddFont("nodot", "No Dot", Sandbox::RealFont(0));
  Run();
  ExpectBoxes({{Installed, Summary}});
  EXPECT_EQ((std::vector<std::string>{"NODOT", "NODOT.Fot"}), HostNames(sandbox().SystemDir()));
  EXPECT_EQ("NODOT.Fot", sandbox().FontsKey("No Dot"));
}

// A record that no list file yields (the loader accepts 8.3 names only): its resource name
// would not fit, and the font fails where the resource file is first needed.
TEST_F(RunPathsTest, ResourceNameTooLongFailsAtTheResourceCheck) {
  AddFont("abcdefghijkl", "Long", Sandbox::RealFont(0));
  Run();
  ExpectBoxes(
      {{"Cannot create the resource file 'ABCDEFGHIJKL'.", Failure}, {NoneInstalled, Summary}});
  EXPECT_TRUE(HostNames(sandbox().SystemDir()).empty());
  EXPECT_EQ("", sandbox().FontsKey("Long"));
  EXPECT_EQ((std::vector<int>{100}), run_host::Percents());
}

struct PathRow {
  const char *context;
  std::string modulePath;  // "" keeps the default
  std::string systemDir;   // "" keeps the default
  std::string message;     // "" when the font is installed
};

TEST_F(RunPathsTest, PathsUpToTheirBufferWorkAndLongerOnesFailTheirCheck) {
  const std::string copyFailed = "Cannot copy the font file 'SERIF1.TTF'.";
  const std::string resourceFailed = "Cannot create the resource file 'SERIF1.FOT'.";
  const PathRow rows[] = {
      {"source path of 127", DirectoryOfLength(117) + "Q.EXE", "", ""},
      {"source path of 128", DirectoryOfLength(118) + "Q.EXE", "", copyFailed},
      {"module path of 128, cut by its buffer", DirectoryOfLength(118) + "ABCDEFGHIJ", "",
       copyFailed},
      {"resource path of 127", "", DirectoryOfLength(117, 'S'), ""},
      {"resource path of 128", "", DirectoryOfLength(118, 'S'), resourceFailed},
      {"system directory of 127 that needs a backslash", "",
       DirectoryOfLength(128, 'S').substr(0, 127), resourceFailed},
      {"system directory of 128", "", DirectoryOfLength(129, 'S').substr(0, 128), resourceFailed},
  };
  int number = 0;
  for (const PathRow &row : rows) {
    SCOPED_TRACE(row.context);
    FreshMachine();
    if (!row.modulePath.empty()) winsim::SetModulePath(row.modulePath);
    if (!row.systemDir.empty()) winsim::SetSystemDirectory(row.systemDir);
    Sandbox &sandbox = this->sandbox();
    const std::string font = Sandbox::RealFont(number++ % 2);
    sandbox.WriteFile(sandbox.InProgramDir("serif1.ttf"), font);
    AddRecord("serif1.ttf", "Serif One", static_cast<int>(font.size()));
    Run();

    std::vector<ShownMessageBox> shown = boxes().Shown();
    if (row.message.empty()) {
      ASSERT_EQ(1u, shown.size());
      EXPECT_EQ(Installed, shown[0].text);
      EXPECT_EQ(font, sandbox.ReadFile(sandbox.InSystemDir("SERIF1.TTF")));
      EXPECT_EQ("SERIF1.Fot", sandbox.FontsKey("Serif One"));
    } else {
      ASSERT_EQ(2u, shown.size());
      EXPECT_EQ(row.message, shown[0].text);
      EXPECT_EQ(Failure, shown[0].style);
      EXPECT_EQ(NoneInstalled, shown[1].text);
      EXPECT_EQ("", sandbox.FontsKey("Serif One"));
    }
    EXPECT_EQ(font, sandbox.ReadFile(sandbox.InProgramDir("serif1.ttf")));
  }
}

// The program in the system directory, its path spelt differently from the system directory's:
// the font is installed in place, and neither emptied by a copy onto itself nor deleted.
TEST_F(RunPathsTest, SourceThatIsTheTargetUnderAnotherSpellingIsKept) {
  const char *modulePaths[] = {
      "C:\\WINDOWS\\SYSTEM\\QUILLBOX.EXE", "c:\\windows\\system\\QUILLBOX.EXE",
      "C:\\WINDOWS\\.\\SYSTEM\\QUILLBOX.EXE", "C:\\WINDOWS\\FONTS\\..\\SYSTEM\\QUILLBOX.EXE"};
  for (const char *modulePath : modulePaths) {
    SCOPED_TRACE(modulePath);
    FreshMachine();
    winsim::SetModulePath(modulePath);
    Sandbox &sandbox = this->sandbox();
    DeleteOriginals = 1;
    const std::string font = Sandbox::RealFont(1);
    sandbox.WriteFile(sandbox.InSystemDir("SERIF1.TTF"), font);
    AddRecord("serif1.ttf", "Serif One", static_cast<int>(font.size()));
    Run();
    ExpectBoxes({{Installed, Summary}});
    EXPECT_EQ(font, sandbox.ReadFile(sandbox.InSystemDir("SERIF1.TTF")));
    EXPECT_EQ("SERIF1.Fot", sandbox.FontsKey("Serif One"));
    // The identity checks closed what they opened.
    EXPECT_EQ(0, winsim::OpenIdentityHandles());
  }
}

}  // namespace
