// GetProfileStringA and WriteProfileStringA on WIN.INI: the rules that the program's installed-font
// test and its registration rely on, checked against the real profile under Wine. The tests use
// the Fonts section, which the sandbox puts back.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/sandbox.h"

namespace {

std::string Get(const char *key, const char *fallback, DWORD *length) {
  char buffer[128];
  *length = GetProfileStringA("Fonts", key, fallback, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TEST(Profile, SectionAndKeyIgnoreAsciiCase) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Harbor Sans");
  sandbox.WillWriteFontsKey("Caf\xe9 Sans");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Harbor Sans", "HARBOR.Fot"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Caf\xe9 Sans", "CAFE.Fot"));
  // Blanks around a name are trimmed; accented letters are not folded.
  const char *const rows[][3] = {{"FONTS", "HARBOR SANS", "HARBOR.Fot"},
                                 {" fonts ", "  harbor sans ", "HARBOR.Fot"},
                                 {"Fonts", "CAF\xe9 SANS", "CAFE.Fot"},
                                 {"Fonts", "CAF\xc9 SANS", ""},
                                 {"Fonts", "Cafe Sans", ""}};
  for (const auto &row : rows) {
    SCOPED_TRACE(std::string(row[0]) + "/" + row[1]);
    char value[128];
    GetProfileStringA(row[0], row[1], "", value, sizeof value);
    EXPECT_STREQ(row[2], value);
  }
  // Writing under another spelling replaces the value and keeps the key as first written.
  ASSERT_TRUE(WriteProfileStringA("FONTS", "harbor sans", "H2.Fot"));
  EXPECT_EQ("H2.Fot", sandbox.FontsKey("Harbor Sans"));
  EXPECT_NE(std::string::npos, sandbox.WinIni().find("Harbor Sans=H2.Fot"));
}

TEST(Profile, EmptyValueIsNotAnAbsentKey) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Empty Font");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Empty Font", ""));
  DWORD length = 99;
  EXPECT_EQ("", Get("Empty Font", "fallback", &length));
  EXPECT_EQ(0u, length);
  EXPECT_EQ("fallback", Get("Absent Font", "fallback", &length));
  EXPECT_EQ(8u, length);
  // Writing NULL removes the key: the default comes back.
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Empty Font", NULL));
  EXPECT_EQ("fallback", Get("Empty Font", "fallback", &length));
}

// The loader lists the section's keys: each once, as written.
TEST(Profile, KeyListingGivesEachKey) {
  Sandbox sandbox;
  sandbox.SetFontsKey("Listed Font", "L.Fot");
  sandbox.SetFontsKey("Empty Listed Font", "");
  std::vector<char> keys(65536);
  DWORD length = GetProfileStringA("Fonts", NULL, "", keys.data(), static_cast<DWORD>(keys.size()));
  ASSERT_LT(length, keys.size() - 2);
  std::multiset<std::string> listed;
  for (const char *key = keys.data(); *key != '\0'; key += std::string(key).size() + 1)
    listed.insert(key);
  EXPECT_EQ(1u, listed.count("Listed Font"));
  EXPECT_EQ(1u, listed.count("Empty Listed Font"));
}

TEST(Profile, KeysThatCannotRoundTrip) {
  Sandbox sandbox;
  for (const char *key : {"Eq", "Eq=Name", ";Semi Font", "[Bracket"})
    sandbox.WillWriteFontsKey(key);
  // An "=" in a key ends the key when the line is read back.
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Eq=Name", "EQ.Fot"));
  EXPECT_EQ("Name=EQ.Fot", sandbox.FontsKey("Eq"));
  EXPECT_EQ("", sandbox.FontsKey("Eq=Name"));
  // A key that begins with ";" is no comment, and one that begins with "[" but holds no "]" is
  // no section header: both read back.
  ASSERT_TRUE(WriteProfileStringA("Fonts", ";Semi Font", "SEMI.Fot"));
  EXPECT_EQ("SEMI.Fot", sandbox.FontsKey(";Semi Font"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "[Bracket", "B.Fot"));
  EXPECT_EQ("B.Fot", sandbox.FontsKey("[Bracket"));
}
