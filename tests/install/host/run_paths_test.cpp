// The paths the run composes at the edge of their 128-character buffers, and a program that lies
// in the system directory under another spelling of that directory's path.
#include <gtest/gtest.h>
#include <winsim/sim.h>

#include "install/run_fixture.h"
#include "shell/globals.h"

namespace {

const std::string Installed = "1 new TrueType font is now available.";
const std::string NoneInstalled = "No new fonts were installed.";

// "C:\PPP...\" of exactly length characters, the final backslash included.
std::string DirectoryOfLength(size_t length, char fill) {
  return "C:\\" + std::string(length - 4, fill) + "\\";
}

class RunPathsTest : public RunTest {};

TEST_F(RunPathsTest, PathsUpToTheirBufferWorkAndLongerOnesFailTheirCheck) {
  const std::string copyFailed = "Cannot copy the font file 'SERIF1.TTF'.";
  const std::string resourceFailed = "Cannot create the resource file 'SERIF1.FOT'.";
  struct Row {
    const char *context;
    std::string modulePath;  // "" keeps the default
    std::string systemDir;   // "" keeps the default
    std::string message;     // "" when the font is installed
  };
  const Row rows[] = {
      {"source path of 127", DirectoryOfLength(117, 'P') + "Q.EXE", "", ""},
      {"source path of 128", DirectoryOfLength(118, 'P') + "Q.EXE", "", copyFailed},
      {"resource path of 127", "", DirectoryOfLength(117, 'S'), ""},
      {"resource path of 128", "", DirectoryOfLength(118, 'S'), resourceFailed},
      {"system directory of 127 that needs a backslash", "",
       DirectoryOfLength(128, 'S').substr(0, 127), resourceFailed},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    FreshMachine();
    if (!row.modulePath.empty()) winsim::SetModulePath(row.modulePath);
    if (!row.systemDir.empty()) winsim::SetSystemDirectory(row.systemDir);
    const std::string font = Sandbox::RealFont(0);
    AddFont("serif1.ttf", "Serif One", font);
    Run();

    if (row.message.empty()) {
      ExpectBoxes({{Installed, Summary}});
      EXPECT_EQ(font, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
      EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey("Serif One"));
    } else {
      ExpectBoxes({{row.message, Failure}, {NoneInstalled, Summary}});
      EXPECT_EQ("", sandbox().FontsKey("Serif One"));
    }
    EXPECT_EQ(font, sandbox().ReadFile(sandbox().InProgramDir("serif1.ttf")));
  }
}

// The program in the system directory, its path spelt otherwise than the system directory's: the
// font is installed in place, and neither emptied by a copy onto itself nor deleted.
TEST_F(RunPathsTest, SourceThatIsTheTargetUnderAnotherSpellingIsKept) {
  const char *modulePaths[] = {
      "C:\\WINDOWS\\SYSTEM\\QUILLBOX.EXE", "c:\\windows\\system\\QUILLBOX.EXE",
      "C:\\WINDOWS\\.\\SYSTEM\\QUILLBOX.EXE", "C:\\WINDOWS\\FONTS\\..\\SYSTEM\\QUILLBOX.EXE"};
  for (const char *modulePath : modulePaths) {
    SCOPED_TRACE(modulePath);
    FreshMachine();
    winsim::SetModulePath(modulePath);
    DeleteOriginals = 1;
    const std::string font = Sandbox::RealFont(1);
    sandbox().WriteFile(sandbox().InSystemDir("SERIF1.TTF"), font);
    AddRecord("serif1.ttf", "Serif One", static_cast<int>(font.size()));
    Run();
    ExpectBoxes({{Installed, Summary}});
    EXPECT_EQ(font, sandbox().ReadFile(sandbox().InSystemDir("SERIF1.TTF")));
    EXPECT_EQ("SERIF1.Fot", sandbox().FontsKey("Serif One"));
    // The identity checks closed what they opened.
    EXPECT_EQ(0, winsim::OpenIdentityHandles());
  }
}

}  // namespace
