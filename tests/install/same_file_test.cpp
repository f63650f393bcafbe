// Whether two paths name one file: by identity, whatever the spelling.
#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "install/install_same_file.h"

namespace {

TEST(SameFile, ComparesIdentityNotSpelling) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("ONE.TTF"), "same bytes");
  sandbox.WriteFile(sandbox.InProgramDir("TWO.TTF"), "same bytes");
  const std::string one = sandbox.InProgramDir("ONE.TTF");
  const std::string dir = sandbox.ProgramDir();
  std::string folder = dir.substr(0, dir.size() - 1);
  folder = folder.substr(folder.rfind('\\') + 1);
  struct Row {
    const char *context;
    std::string first;
    std::string second;
    int same;
  };
  const Row rows[] = {
      {"one path twice", one, one, 1},
      {"other case", one, dir + "one.ttf", 1},
      {"through a dot directory", one, dir + ".\\ONE.TTF", 1},
      {"through the parent directory", one, dir + "..\\" + folder + "\\ONE.TTF", 1},
      {"equal bytes, other file", one, dir + "TWO.TTF", 0},
      {"second missing", one, dir + "NONE.TTF", 0},
      {"both missing", dir + "NONE.TTF", dir + "NONE.TTF", 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    EXPECT_EQ(row.same, IsSameFile(row.first.c_str(), row.second.c_str()));
  }
  // Neither file is changed by being compared.
  EXPECT_EQ("same bytes", sandbox.ReadFile(one));
}

}  // namespace
