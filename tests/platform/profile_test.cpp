// GetProfileStringA and WriteProfileStringA on WIN.INI: the rules the program's installed-font
// test and its registration rely on, checked against the real profile under Wine. The tests use
// the Fonts section (which the sandbox puts back) and a section of their own that they remove.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

namespace {

constexpr char OwnSection[] = "QuillboxProfileTest";

struct OwnSectionGuard {
  OwnSectionGuard() { WriteProfileStringA(OwnSection, NULL, NULL); }
  ~OwnSectionGuard() { WriteProfileStringA(OwnSection, NULL, NULL); }
};

std::string Get(const char *section, const char *key, const char *fallback = "", DWORD size = 128,
                DWORD *result = nullptr) {
  char buffer[256];
  memset(buffer, '#', sizeof buffer);
  DWORD length = GetProfileStringA(section, key, fallback, buffer, size);
  if (result != nullptr) *result = length;
  return std::string(buffer);
}

}  // namespace

TEST(Profile, RoundTripIgnoresCaseOfSectionAndKey) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Harbor Sans");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Harbor Sans", "HARBOR.Fot"));
  struct Row {
    const char *section;
    const char *key;
  };
  const Row rows[] = {{"Fonts", "Harbor Sans"},
                      {"FONTS", "HARBOR SANS"},
                      {"fonts", "harbor sans"},
                      {" Fonts ", "  Harbor Sans "}};
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key);
    DWORD length = 0;
    EXPECT_EQ("HARBOR.Fot", Get(row.section, row.key, "", 128, &length));
    EXPECT_EQ(10u, length);
  }
  // Writing under another spelling replaces the value and keeps the key as first written.
  ASSERT_TRUE(WriteProfileStringA("FONTS", "harbor sans", "H2.Fot"));
  EXPECT_EQ("H2.Fot", sandbox.FontsKey("Harbor Sans"));
  EXPECT_NE(std::string::npos, sandbox.WinIni().find("Harbor Sans=H2.Fot"));
  EXPECT_EQ(std::string::npos, sandbox.WinIni().find("harbor sans"));
}

TEST(Profile, AccentedLettersAreNotFolded) {
  // Names are compared without regard to ASCII case only (as Wine does).
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Caf\xe9 Sans");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Caf\xe9 Sans", "CAFE.Fot"));
  EXPECT_EQ("CAFE.Fot", sandbox.FontsKey("CAF\xe9 SANS"));
  EXPECT_EQ("", sandbox.FontsKey("CAF\xc9 SANS"));
  EXPECT_EQ("", sandbox.FontsKey("Cafe Sans"));
}

TEST(Profile, EmptyValueIsNotAnAbsentKey) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Empty Font");
  sandbox.WillWriteFontsKey("Absent Font");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Empty Font", ""));
  DWORD length = 99;
  EXPECT_EQ("", Get("Fonts", "Empty Font", "fallback", 128, &length));
  EXPECT_EQ(0u, length);
  EXPECT_EQ("fallback", Get("Fonts", "Absent Font", "fallback", 128, &length));
  EXPECT_EQ(8u, length);
  EXPECT_EQ("fallback", Get("Fonts", "Absent Font", "fallback   "));  // trailing blanks go
  EXPECT_EQ("", Get("Fonts", "Absent Font", NULL));
  // Writing NULL removes the key: the default comes back.
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Empty Font", NULL));
  EXPECT_EQ("fallback", Get("Fonts", "Empty Font", "fallback"));
}

TEST(Profile, ValueIsCutToTheBuffer) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Cut Font");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Cut Font", "SERIF1.Fot"));
  struct Row {
    DWORD size;
    const char *text;
    DWORD result;
  };
  const Row rows[] = {{128, "SERIF1.Fot", 10},
                      {11, "SERIF1.Fot", 10},
                      {10, "SERIF1.Fo", 9},
                      {6, "SERIF", 5},
                      {2, "S", 1},
                      {1, "", 0}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.size);
    DWORD result = 0;
    EXPECT_EQ(row.text, Get("Fonts", "Cut Font", "", row.size, &result));
    EXPECT_EQ(row.result, result);
  }
  // A default is cut the same way.
  DWORD result = 0;
  EXPECT_EQ("abc", Get("Fonts", "No Such Font", "abcdef", 4, &result));
  EXPECT_EQ(3u, result);
}

TEST(Profile, OtherSectionsAndKeysAreKept) {
  Sandbox sandbox;
  OwnSectionGuard guard;
  sandbox.WillWriteFontsKey("Kept One");
  sandbox.WillWriteFontsKey("Kept Two");
  ASSERT_TRUE(WriteProfileStringA(OwnSection, "Alpha", "1"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Kept One", "ONE.Fot"));
  ASSERT_TRUE(WriteProfileStringA(OwnSection, "Beta", "2"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Kept Two", "TWO.Fot"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Kept One", "ONE2.Fot"));
  EXPECT_EQ("1", Get(OwnSection, "Alpha"));
  EXPECT_EQ("2", Get(OwnSection, "Beta"));
  EXPECT_EQ("ONE2.Fot", sandbox.FontsKey("Kept One"));
  EXPECT_EQ("TWO.Fot", sandbox.FontsKey("Kept Two"));
  // The same key in two sections holds two values.
  ASSERT_TRUE(WriteProfileStringA(OwnSection, "Kept One", "own"));
  EXPECT_EQ("own", Get(OwnSection, "Kept One"));
  EXPECT_EQ("ONE2.Fot", sandbox.FontsKey("Kept One"));
  // Removing the section leaves the others.
  ASSERT_TRUE(WriteProfileStringA(OwnSection, NULL, NULL));
  EXPECT_EQ("gone", Get(OwnSection, "Alpha", "gone"));
  EXPECT_EQ("TWO.Fot", sandbox.FontsKey("Kept Two"));
}

TEST(Profile, KeysThatCannotRoundTrip) {
  Sandbox sandbox;
  sandbox.WillWriteFontsKey("Eq");
  sandbox.WillWriteFontsKey("Eq=Name");
  // An "=" in a key ends the key when the line is read back.
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Eq=Name", "EQ.Fot"));
  EXPECT_EQ("Name=EQ.Fot", sandbox.FontsKey("Eq"));
  EXPECT_EQ("", sandbox.FontsKey("Eq=Name"));
  // A key that begins with "[" but holds no "]" is read back as a key. (One that holds a "]"
  // writes a line that later reads as a section header; Wine's cache hides that until the file
  // is read again, so it is checked on the host only.)
  // A key that begins with ";" is no comment: it reads back.
  sandbox.WillWriteFontsKey(";Semi Font");
  ASSERT_TRUE(WriteProfileStringA("Fonts", ";Semi Font", "SEMI.Fot"));
  EXPECT_EQ("SEMI.Fot", sandbox.FontsKey(";Semi Font"));
  EXPECT_EQ("", sandbox.FontsKey("Semi Font"));
  sandbox.WillWriteFontsKey("[Bracket");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "[Bracket", "B.Fot"));
  EXPECT_EQ("B.Fot", sandbox.FontsKey("[Bracket"));
}

TEST(Profile, KeyListOfASection) {
  Sandbox sandbox;
  OwnSectionGuard guard;
  ASSERT_TRUE(WriteProfileStringA(OwnSection, "First", "1"));
  ASSERT_TRUE(WriteProfileStringA(OwnSection, "Second", "2"));
  char buffer[64];
  memset(buffer, '#', sizeof buffer);
  DWORD length = GetProfileStringA(OwnSection, NULL, "", buffer, sizeof buffer);
  EXPECT_EQ(13u, length);
  EXPECT_EQ(std::string("First\0Second\0\0", 14), std::string(buffer, 14));
}
