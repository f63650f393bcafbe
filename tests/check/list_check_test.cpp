// QuillboxCheck's report: one list with a line of every fate, told in order with the line a repeat
// repeats, the counts and the exit status; and a list that cannot be read. It changes nothing.
#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "check/list_check.h"
#include "common/sandbox.h"

namespace {

std::vector<std::string> output, errors;
void ToOutput(const char *line) {
  output.push_back(line);
}
void ToErrors(const char *line) {
  errors.push_back(line);
}

TEST(ListCheck, TellsEveryLinesFate) {
  Sandbox box;
  for (const char *font :
       {"HARBOR.TTF", "harborb.ttf", "MAPLE.TTF", "ELM.TTF", "PINE.TTF", "EQ.TTF", "BRK.TTF",
        "NONAME.TTF", "OTHER.TTF", "LONG.TTF", "AE.TTF", "AE2.TTF"})
    box.Write(box.program + font, Sandbox::Font(0));
  box.Write(box.program + "NOTFONT.TTF", "MZ a library, not a font");
  box.Write(box.system + "ELM.Fot", "an earlier resource");
  box.SetKey("Maple", "OLD.FOT");
  const struct {
    std::string line;
    const char *fate;
  } rows[] = {
      {"HARBOR.TTF   Harbor", "offered"},
      {"HARBORB.TTF  Harbor Bold", "offered"},
      {"", "blank line"},
      {"LONGNAME1.TTF Long Name", "not a plain 8.3 file name"},
      {"harbor.ttf Harbor Again", "file name repeats line 1"},
      {"NOTFONT.TTF Not A Font", "not a font file"},
      {"MISSING.TTF Missing", "file not found"},
      {"MAPLE.TTF Maple", "already installed"},
      {"ELM.TTF Elm", "already installed"},
      {"PINE.TTF " + std::string(80, 'P'), "font name too long"},
      {"LONG.TTF " + std::string(70, 'L') + std::string(48, ' ') + "X=Y",
       "offered"},  // 127 bytes read
      {"EQ.TTF Eq=Name", "font name unsafe for WIN.INI"},
      {"BRK.TTF [Bracket", "font name unsafe for WIN.INI"},
      {"NONAME.TTF   ", "no font name"},
      {"OTHER.TTF harbor bold", "font name repeats line 2"},
      {"TAB\tLINE.TTF Tabbed", "control character"},
      {"AE.TTF \xC6on", "offered"},
      {"AE2.TTF aeon", "font name repeats line 17"},  // the ligature equals its letters
  };
  std::string list;
  std::vector<std::string> expected;
  for (const auto &row : rows) {
    list += row.line + "\r\n";
    expected.push_back(std::to_string(expected.size() + 1) + ": " + row.fate);
  }
  expected.push_back("19: ignored");
  expected.push_back("19 lines: 4 offered, 2 already installed, 13 skipped");
  box.Write(box.program + "Quillbox.Lst", list + "CEDAR.TTF Cedar");  // no CR LF
  output.clear();
  EXPECT_EQ(1, CheckListFile(box.program.c_str(), ToOutput, ToErrors));
  EXPECT_EQ(expected, output);
  EXPECT_FALSE(box.Exists(box.system + "HARBOR.TTF"));
  EXPECT_EQ("", box.Key("Harbor"));
  EXPECT_EQ(0, FontCount);

  box.Write(box.program + "Quillbox.Lst", "HARBOR.TTF Harbor\r\n\r\nMAPLE.TTF Maple\r\n");
  EXPECT_EQ(0, CheckListFile(box.program.c_str(), ToOutput, ToErrors));
  box.Write(box.program + "Quillbox.Lst", "");
  output.clear();
  EXPECT_EQ(2, CheckListFile(box.program.c_str(), ToOutput, ToErrors));
  EXPECT_EQ(std::vector<std::string>{"The file 'quillbox.lst' is not found or incorrect."}, errors);
  EXPECT_TRUE(output.empty());
}

}  // namespace
