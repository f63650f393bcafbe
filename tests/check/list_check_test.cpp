// QuillboxCheck's report on both platforms: one list with a line of every fate, told in order
// with the earlier line a repeat repeats, the counts, and the exit status of each kind of list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/font_table.h"
#include "check/list_check.h"
#include "common/sandbox.h"
#include "shell/globals.h"

namespace {

std::vector<std::string> output;
std::vector<std::string> errors;
void ToOutput(const char *line) {
  output.push_back(line);
}
void ToErrors(const char *line) {
  errors.push_back(line);
}

class ListCheck : public testing::Test {
 protected:
  ListCheck() {
    hInst = sandbox.Instance();
    output.clear();
    errors.clear();
  }
  int Check(const std::string &list) {
    sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"), list);
    return CheckListFile(sandbox.ProgramDir().c_str(), ToOutput, ToErrors);
  }
  Sandbox sandbox;
};

TEST_F(ListCheck, TellsEveryLinesFate) {
  for (const char *font : {"HARBOR.TTF", "harborb.ttf", "MAPLE.TTF", "PINE.TTF", "EQ.TTF",
                           "BRK.TTF", "NONAME.TTF", "OTHER.TTF"})
    sandbox.WriteFile(sandbox.InProgramDir(font), Sandbox::RealFont(0));
  sandbox.WriteFile(sandbox.InProgramDir("NOTFONT.TTF"), "MZ a library, not a font");
  sandbox.SetFontsKey("Quillbox Check Maple", "OLD.FOT");
  const struct {
    std::string line;
    const char *fate;
  } rows[] = {
      {"HARBOR.TTF   Quillbox Check Harbor", "offered"},
      {"HARBORB.TTF  Quillbox Check Harbor Bold", "offered"},
      {"", "blank line"},
      {"LONGNAME1.TTF Long Name", "not a plain 8.3 file name"},
      {"harbor.ttf Harbor Again", "file name repeats line 1"},
      {"NOTFONT.TTF Quillbox Check Not A Font", "not a font file"},
      {"MISSING.TTF Missing", "file not found"},
      {"MAPLE.TTF Quillbox Check Maple", "already installed"},
      {"PINE.TTF " + std::string(80, 'P'), "font name too long"},
      {"EQ.TTF Eq=Name", "font name unsafe for WIN.INI"},
      {"BRK.TTF [Bracket", "font name unsafe for WIN.INI"},
      {"NONAME.TTF   ", "no font name"},
      {"OTHER.TTF quillbox check harbor bold", "font name repeats line 2"},
      {"TAB\tLINE.TTF Tabbed", "control character"},
  };
  std::string list;
  std::vector<std::string> expected;
  for (const auto &row : rows) {
    list += row.line + "\r\n";
    expected.push_back(std::to_string(expected.size() + 1) + ": " + row.fate);
  }
  list += "CEDAR.TTF Cedar";  // no CR LF
  expected.push_back("15: ignored");
  expected.push_back("15 lines: 2 offered, 1 already installed, 12 skipped");

  EXPECT_EQ(CheckSomeSkipped, Check(list));
  EXPECT_EQ(expected, output);
  EXPECT_TRUE(errors.empty());
  // Nothing was installed or written, and nothing is left in the table.
  EXPECT_FALSE(sandbox.Exists(sandbox.InSystemDir("HARBOR.TTF")));
  EXPECT_EQ("", sandbox.FontsKey("Quillbox Check Harbor"));
  EXPECT_EQ(0, FontCount);
}

TEST_F(ListCheck, ExitStatusSaysWhetherAnythingWasNotOffered) {
  sandbox.WriteFile(sandbox.InProgramDir("HARBOR.TTF"), Sandbox::RealFont(0));
  sandbox.SetFontsKey("Quillbox Check Maple", "OLD.FOT");
  sandbox.WriteFile(sandbox.InProgramDir("MAPLE.TTF"), Sandbox::RealFont(1));
  EXPECT_EQ(CheckAllOffered,
            Check("HARBOR.TTF Quillbox Check Harbor\r\n\r\nMAPLE.TTF Quillbox Check Maple\r\n"));
  EXPECT_EQ("3 lines: 1 offered, 1 already installed, 1 skipped", output.back());

  output.clear();
  sandbox.Remove(sandbox.InProgramDir("Quillbox.Lst"));
  EXPECT_EQ(CheckListUnreadable, CheckListFile(sandbox.ProgramDir().c_str(), ToOutput, ToErrors));
  EXPECT_TRUE(output.empty());
  EXPECT_EQ(std::vector<std::string>{"The file 'quillbox.lst' is not found or incorrect."}, errors);
}

}  // namespace
