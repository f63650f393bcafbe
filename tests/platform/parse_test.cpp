// GetFullPathNameA on a drive root and a name, the form in which the list file loader parses a
// listed file name: the fully qualified name, recorded under Wine, and no name beyond the 127
// characters that the loader's buffer holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

TEST(FullPathName, NamesAfterTheDriveRoot) {
  Sandbox sandbox;
  const std::string fits = "C:\\" + std::string(120, 'A') + ".TTF";
  const std::string tooLong = "C:\\" + std::string(121, 'A') + ".TTF";
  struct Row {
    std::string name;
    std::string expected;  // "": the name does not fit
  };
  const Row rows[] = {
      {"C:\\HARBOR.TTF", "C:\\HARBOR.TTF"},
      {"C:\\\\X.TTF", "C:\\X.TTF"},
      {"C:\\A.\\B.TTF", "C:\\A\\B.TTF"},  // one dot ending a directory name goes
      {"C:\\A..\\B", "C:\\A.\\B"},
      {"C:\\..\\X", "C:\\X"},
      {"C:\\X\\..\\..\\Y.TTF", "C:\\Y.TTF"},
      {"C:\\ABC.", "C:\\ABC"},  // trailing dots and blanks go
      {"C:\\/X.TTF", "C:\\X.TTF"},
      {"C:\\X/Y.TTF", "C:\\X\\Y.TTF"},
      {"C:\\C:X.TTF", "C:\\C:X.TTF"},
      {"C:\\CON.TTF", "\\\\.\\CON"},  // devices lie in no directory
      {"C:\\X\\nul.a.b", "\\\\.\\nul"},
      {"C:\\COM1.TTF", "\\\\.\\COM1"},
      {"C:\\COM0.TTF", "C:\\COM0.TTF"},
      {"C:\\A*.TTF", "C:\\A*.TTF"},  // wildcards are not checked
      {"C:\\\xe9t\xe9.TTF", "C:\\\xe9t\xe9.TTF"},
      {fits, fits},
      {tooLong, ""},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE("name [" + row.name + "]");
    char full[OFS_MAXPATHNAME];
    DWORD length = GetFullPathNameA(row.name.c_str(), sizeof full, full, nullptr);
    if (row.expected.empty()) {
      EXPECT_TRUE(length == 0 || length >= sizeof full) << length;
    } else {
      EXPECT_EQ(row.expected.size(), length);
      EXPECT_EQ(row.expected, std::string(full));
    }
  }
}
