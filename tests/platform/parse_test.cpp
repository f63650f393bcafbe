// OpenFile with OF_PARSE: the fully qualified name for every kind of name the list file can
// hold, which is what GetFullPathNameA makes of it. The expected names were recorded under Wine;
// the current directory is the program's directory (the sandbox sees to it), written <dir> below,
// and its parent <up>.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

namespace {

std::string Expand(std::string text, const std::string &dir, const std::string &up) {
  for (size_t at; (at = text.find("<dir>")) != std::string::npos;) text.replace(at, 5, dir);
  for (size_t at; (at = text.find("<up>")) != std::string::npos;) text.replace(at, 4, up);
  return text;
}

std::string Parent(const std::string &dir) {
  size_t cut = dir.rfind('\\', dir.size() - 2);
  return dir.substr(0, cut + 1);
}

struct ParseRow {
  const char *name;
  const char *expected;  // nullptr: HFILE_ERROR
};

void CheckParse(const ParseRow *rows, size_t count) {
  Sandbox sandbox;
  std::string dir = sandbox.ProgramDir();
  std::string up = Parent(dir);
  for (size_t i = 0; i < count; i++) {
    const ParseRow &row = rows[i];
    SCOPED_TRACE(std::string("name [") + row.name + "]");
    OFSTRUCT ofs;
    memset(&ofs, 0x55, sizeof ofs);
    HFILE result = OpenFile(row.name, &ofs, OF_PARSE);
    EXPECT_EQ(sizeof(OFSTRUCT), ofs.cBytes);
    char full[OFS_MAXPATHNAME];
    DWORD length = GetFullPathNameA(row.name, sizeof full, full, nullptr);
    if (row.expected == nullptr) {
      EXPECT_EQ(HFILE_ERROR, result);
      EXPECT_TRUE(length == 0 || length >= sizeof full) << length;
      continue;
    }
    std::string expected = Expand(row.expected, dir, up);
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, ofs.nErrCode);
    EXPECT_EQ(1, ofs.fFixedDisk);
    EXPECT_EQ(expected, std::string(ofs.szPathName));
    EXPECT_EQ(expected.size(), length);
    EXPECT_EQ(expected, std::string(full));
  }
}

}  // namespace

TEST(OfParse, RelativeNamesAndDirectoryParts) {
  const ParseRow rows[] = {
      {"ABC.TTF", "<dir>ABC.TTF"},
      {"abc.ttf", "<dir>abc.ttf"},  // the case is kept
      {".\\X.TTF", "<dir>X.TTF"},
      {"..\\X.TTF", "<up>X.TTF"},
      {"..\\..\\..\\..\\..\\..\\X.TTF", "C:\\X.TTF"},  // no higher than the root
      {"X\\Y.TTF", "<dir>X\\Y.TTF"},
      {"X/Y.TTF", "<dir>X\\Y.TTF"},
      {"X\\..\\Y.TTF", "<dir>Y.TTF"},
      {"\\X.TTF", "C:\\X.TTF"},
      {"ABC.", "<dir>ABC"},  // trailing dots and blanks go
      {"ABC..", "<dir>ABC"},
      {"ABC. .", "<dir>ABC"},
      {"ABC ", "<dir>ABC"},
      {"A.B.D", "<dir>A.B.D"},
      {".TTF", "<dir>.TTF"},
      {"", nullptr},
  };
  CheckParse(rows, sizeof rows / sizeof rows[0]);
}

TEST(OfParse, DevicesWildcardsAndDrives) {
  const ParseRow rows[] = {
      {"CON.TTF", "\\\\.\\CON"},
      {"con.ttf", "\\\\.\\con"},
      {"NUL", "\\\\.\\NUL"},
      {"AUX.X", "\\\\.\\AUX"},
      {"PRN", "\\\\.\\PRN"},
      {"COM1.TTF", "\\\\.\\COM1"},
      {"COM9", "\\\\.\\COM9"},
      {"LPT1", "\\\\.\\LPT1"},
      {"lpt9.a.b", "\\\\.\\lpt9"},
      {"CON .TTF", "\\\\.\\CON"},
      {"X\\CON.TTF", "\\\\.\\CON"},  // in any directory
      {"C:\\X\\NUL.TTF", "\\\\.\\NUL"},
      {"C:\\COM1:", "\\\\.\\COM1"},
      {"COM0.TTF", "<dir>COM0.TTF"},  // not devices
      {"CONX.TTF", "<dir>CONX.TTF"},
      {"A*.TTF", "<dir>A*.TTF"},  // wildcards and other characters are not checked
      {"A?.TTF", "<dir>A?.TTF"},
      {"A<B.TTF", "<dir>A<B.TTF"},
      {"A|B", "<dir>A|B"},
      {"C:X.TTF", "<dir>X.TTF"},  // the current directory of drive C:
      {"A:B", "A:\\B"},           // the root of a drive without a current directory
      {"D:X.TTF", "D:\\X.TTF"},
  };
  CheckParse(rows, sizeof rows / sizeof rows[0]);
}

TEST(OfParse, NamesAfterTheDriveRoot) {
  // The form in which the list file loader parses a file name: a drive root and the name.
  const ParseRow rows[] = {
      {"C:\\HARBOR.TTF", "C:\\HARBOR.TTF"},
      {"C:\\\\X.TTF", "C:\\X.TTF"},
      {"C:\\\\\\X", "C:\\X"},
      {"C:\\A\\\\B.TTF", "C:\\A\\B.TTF"},
      {"C:\\A.\\B.TTF", "C:\\A\\B.TTF"},  // one dot ending a directory name goes
      {"C:\\A..\\B", "C:\\A.\\B"},
      {"C:\\..\\X", "C:\\X"},
      {"C:\\X\\..\\..\\Y.TTF", "C:\\Y.TTF"},
      {"C:\\.", "C:\\"},
      {"C:\\", "C:\\"},
      {"C:\\A\\.", "C:\\A"},
      {"C:\\A\\..", "C:\\"},
      {"C:\\/X.TTF", "C:\\X.TTF"},
      {"C:\\C:X.TTF", "C:\\C:X.TTF"},
      {"C:\\A:B", "C:\\A:B"},
      {"C:\\ X.TTF", "C:\\ X.TTF"},
      {"C:\\X .TTF", "C:\\X .TTF"},
      {"C:\\CON", "\\\\.\\CON"},
      {"C:\\CONIN$.TTF", "\\\\.\\CONIN$"},
      {"C:\\conout$", "\\\\.\\conout$"},
      {"C:\\\xe9t\xe9.TTF", "C:\\\xe9t\xe9.TTF"},
  };
  CheckParse(rows, sizeof rows / sizeof rows[0]);
}

TEST(OfParse, QualifiedNameMustFitTheStructure) {
  // szPathName holds 127 characters and the NUL; a longer result cannot be parsed.
  std::string fits = "C:\\" + std::string(120, 'A') + ".TTF";
  std::string tooLong = "C:\\" + std::string(121, 'A') + ".TTF";
  ASSERT_EQ(127u, fits.size());
  const ParseRow rows[] = {{fits.c_str(), fits.c_str()}, {tooLong.c_str(), nullptr}};
  CheckParse(rows, sizeof rows / sizeof rows[0]);
}
