// WIN.INI on the host: created when absent, its place following the Windows directory, and a
// failed write that changes nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "winsim/sim.h"

TEST(ProfileHost, CreatedWhenAbsent) {
  Sandbox sandbox;
  EXPECT_EQ("", sandbox.WinIni());
  char value[16];
  EXPECT_EQ(4u, GetProfileStringA("Fonts", "Harbor Sans", "none", value, sizeof value));
  EXPECT_STREQ("none", value);
  EXPECT_FALSE(sandbox.Exists("C:\\WINDOWS\\WIN.INI"));  // reading creates nothing
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Harbor Sans", "HARBOR.Fot"));
  EXPECT_EQ("[Fonts]\r\nHarbor Sans=HARBOR.Fot\r\n", sandbox.WinIni());
  ASSERT_TRUE(WriteProfileStringA("Other", "k", "v"));
  ASSERT_TRUE(WriteProfileStringA("fonts", "Cedar", "CEDAR.Fot"));
  EXPECT_EQ("[Fonts]\r\nHarbor Sans=HARBOR.Fot\r\nCedar=CEDAR.Fot\r\n[Other]\r\nk=v\r\n",
            sandbox.WinIni());
}

TEST(ProfileHost, OtherLinesKeptAsWritten) {
  Sandbox sandbox;
  sandbox.WriteFile("C:\\WINDOWS\\win.ini",
                    "; comment\r\n[fonts]\r\n  Spaced Key  =  \"quoted\"  \r\n\r\nDup=first\r\n"
                    "Dup=second\r\n\r\n[Tail]\r\nt=2");
  EXPECT_EQ("quoted", sandbox.FontsKey("spaced key"));
  EXPECT_EQ("first", sandbox.FontsKey("Dup"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "New", "n"));
  ASSERT_TRUE(WriteProfileStringA("Fonts", "DUP", "third"));
  ASSERT_TRUE(WriteProfileStringA("Tail", "u", "3"));
  EXPECT_EQ(
      "; comment\r\n[fonts]\r\n  Spaced Key  =  \"quoted\"  \r\n\r\nDup=third\r\n"
      "Dup=second\r\nNew=n\r\n\r\n[Tail]\r\nt=2\r\nu=3\r\n",
      sandbox.WinIni());
}

TEST(ProfileHost, FollowsTheWindowsDirectory) {
  Sandbox sandbox;
  winsim::SetWindowsDirectory("C:\\WIN95");
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Moved", "M.Fot"));
  EXPECT_EQ("[Fonts]\r\nMoved=M.Fot\r\n", sandbox.ReadFile("C:\\WIN95\\WIN.INI"));
  EXPECT_FALSE(sandbox.Exists("C:\\WINDOWS\\WIN.INI"));
}

TEST(ProfileHost, NthWriteFails) {
  Sandbox sandbox;
  winsim::FailProfileWrite(2, winsim::Times::Once);
  EXPECT_TRUE(WriteProfileStringA("Fonts", "One", "1.Fot"));
  std::string before = sandbox.WinIni();
  EXPECT_FALSE(WriteProfileStringA("Fonts", "Two", "2.Fot"));
  EXPECT_EQ(before, sandbox.WinIni());
  EXPECT_EQ("", sandbox.FontsKey("Two"));
  EXPECT_TRUE(WriteProfileStringA("Fonts", "Two", "2.Fot"));
  EXPECT_EQ("2.Fot", sandbox.FontsKey("Two"));
  winsim::FailProfileWrite(1, winsim::Times::FromThenOn);
  EXPECT_FALSE(WriteProfileStringA("Fonts", "Three", "3.Fot"));
  EXPECT_FALSE(WriteProfileStringA("Fonts", "One", NULL));
  EXPECT_EQ("1.Fot", sandbox.FontsKey("One"));
}

TEST(ProfileHost, ReadOnlyWinIniRefusesWrites) {
  Sandbox sandbox;
  sandbox.WriteFile("C:\\WINDOWS\\WIN.INI", "[Fonts]\r\n");
  sandbox.SetReadOnly("C:\\WINDOWS\\WIN.INI", true);
  EXPECT_FALSE(WriteProfileStringA("Fonts", "K", "V"));
  EXPECT_EQ("[Fonts]\r\n", sandbox.WinIni());
}

TEST(ProfileHost, KeyThatReadsAsASectionHeader) {
  Sandbox sandbox;
  ASSERT_TRUE(WriteProfileStringA("Fonts", "[Closed] Sans", "C.Fot"));
  EXPECT_EQ("", sandbox.FontsKey("[Closed] Sans"));
  char value[16];
  GetProfileStringA("Closed", "x", "absent", value, sizeof value);
  EXPECT_STREQ("absent", value);
  ASSERT_TRUE(WriteProfileStringA("Fonts", "Next", "N.Fot"));
  // The next key goes to the end of what is still the Fonts section, before that line.
  EXPECT_EQ("[Fonts]\r\nNext=N.Fot\r\n[Closed] Sans=C.Fot\r\n", sandbox.WinIni());
  EXPECT_EQ("N.Fot", sandbox.FontsKey("Next"));
}
