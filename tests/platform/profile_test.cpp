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

namespace {

std::string WinIniPath() {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\win.ini";
}

std::string ReadWhole(const std::string &path) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return "";
  std::string bytes(65536, '\0');
  UINT read = _lread(file, &bytes[0], static_cast<UINT>(bytes.size()));
  _lclose(file);
  bytes.resize(read == static_cast<UINT>(HFILE_ERROR) ? 0 : read);
  return bytes;
}

void WriteWhole(const std::string &path, const std::string &bytes) {
  HFILE file = _lcreat(path.c_str(), 0);
  ASSERT_NE(HFILE_ERROR, file);
  _lwrite(file, bytes.data(), static_cast<UINT>(bytes.size()));
  _lclose(file);
}

}  // namespace

// [Fonts] lines as other programs may leave them, read by the profile's own rules, which the
// loader's key listing and the fuzzer's checks of WIN.INI follow: blanks and tabs around a key are
// trimmed (an empty key lists as an empty name among the others), a ';' line is found by its key
// but not listed, and a write under the trimmed key replaces that very line.
TEST(Profile, LinesAsOthersLeaveThemReadByTheProfilesRules) {
  Sandbox sandbox;
  const std::string path = WinIniPath();
  const std::string original = ReadWhole(path);
  WriteWhole(path,
             "[Fonts]\r\nN[ame \t=\r\n\t=OLD.FOT\r\n;Comment=C.Fot\r\n  Spaced Key \t= S.Fot "
             "\r\nQbLast=L.Fot\r\n[Other]\r\nx=y\r\n");
  std::vector<char> keys(4096);
  DWORD length = GetProfileStringA("Fonts", NULL, "", keys.data(), static_cast<DWORD>(keys.size()));
  EXPECT_EQ(std::string("N[ame\0\0Spaced Key\0QbLast\0", 25), std::string(keys.data(), length));
  DWORD ignored;
  EXPECT_EQ("", Get("N[ame", "fallback", &ignored));
  EXPECT_EQ("S.Fot", Get("Spaced Key", "", &ignored));
  EXPECT_EQ("C.Fot", Get(";Comment", "", &ignored));
  EXPECT_TRUE(WriteProfileStringA("Fonts", "N[ame", "R.Fot"));
  std::string written = ReadWhole(path);
  EXPECT_NE(std::string::npos, written.find("N[ame=R.Fot\r\n"));
  EXPECT_EQ(std::string::npos, written.find("N[ame \t="));
  WriteWhole(path, original);
}
