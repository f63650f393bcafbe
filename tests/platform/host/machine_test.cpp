// The simulated machine itself: its directories, the host folder behind drive C:, message boxes
// and broadcasts as recorded for the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

std::string SystemDirectory() {
  char dir[MAX_PATH];
  GetSystemDirectoryA(dir, MAX_PATH);
  return dir;
}

}  // namespace

TEST(Machine, DirectoriesAsConfigured) {
  Sandbox sandbox;
  EXPECT_EQ("C:\\QB\\", sandbox.ProgramDir());
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM", SystemDirectory());
  EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\", sandbox.SystemDir());
  winsim::SetSystemDirectory("C:\\WIN\\SYSTEM32\\");
  EXPECT_EQ("C:\\WIN\\SYSTEM32\\", SystemDirectory());  // the trailing backslash is kept
  EXPECT_EQ("C:\\WIN\\SYSTEM32\\", sandbox.SystemDir());
  sandbox.WriteFile(sandbox.InSystemDir("X.TTF"), "x");  // the directory exists
  winsim::SetModulePath("C:\\Program Files\\Fonts Kit\\SETUP.EXE");
  EXPECT_EQ("C:\\Program Files\\Fonts Kit\\", sandbox.ProgramDir());
  char path[MAX_PATH];
  GetModuleFileNameA(sandbox.Instance(), path, MAX_PATH);
  EXPECT_STREQ("C:\\Program Files\\Fonts Kit\\SETUP.EXE", path);
  EXPECT_EQ(0u, GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), path, MAX_PATH));
}

TEST(Machine, HostPathsFindExistingNamesWithoutRegardToCase) {
  Sandbox sandbox;
  std::string root = winsim::HostPath("C:\\");
  sandbox.WriteFile("C:\\QB\\Harbor.Ttf", "h");
  EXPECT_EQ(root + "/QB/Harbor.Ttf", winsim::HostPath("c:\\qb\\HARBOR.TTF"));
  EXPECT_EQ(root + "/WINDOWS/SYSTEM/New.Ttf", winsim::HostPath("C:\\windows\\system\\New.Ttf"));
  EXPECT_EQ(root + "/QB/none/X", winsim::HostPath("C:\\QB\\none\\X"));
  EXPECT_EQ("C:\\QB\\X.TTF", winsim::FullPath("x\\..\\X.TTF"));
  EXPECT_DEATH(winsim::HostPath("D:\\X"), "not on drive C:");
}

TEST(Machine, CurrentDirectory) {
  Sandbox sandbox;
  char dir[MAX_PATH];
  EXPECT_EQ(5u, GetCurrentDirectoryA(MAX_PATH, dir));
  EXPECT_STREQ("C:\\QB", dir);
  EXPECT_TRUE(SetCurrentDirectoryA("..\\windows"));
  GetCurrentDirectoryA(MAX_PATH, dir);
  EXPECT_STREQ("C:\\windows", dir);
  OFSTRUCT ofs;
  OpenFile("X.TTF", &ofs, OF_PARSE);
  EXPECT_STREQ("C:\\windows\\X.TTF", ofs.szPathName);
  EXPECT_FALSE(SetCurrentDirectoryA("C:\\NONE"));
  EXPECT_FALSE(RemoveDirectoryA("C:\\WINDOWS"));
}

TEST(Machine, MessageBoxesAreRecordedAndAnswered) {
  Sandbox sandbox;
  HWND owner = reinterpret_cast<HWND>(0x1234);
  winsim::QueueMessageBoxAnswer(IDCANCEL);
  winsim::QueueMessageBoxAnswer(IDCANCEL);
  winsim::QueueMessageBoxAnswer(0);
  EXPECT_EQ(IDCANCEL, MessageBoxA(owner, "Cannot copy", "Title", MB_OKCANCEL | MB_ICONWARNING));
  EXPECT_EQ(IDOK, MessageBoxA(NULL, "Only OK", "Title", MB_ICONERROR));  // Escape gives OK
  EXPECT_EQ(0, MessageBoxA(NULL, "Cannot show", "Title", MB_OK));
  EXPECT_EQ(IDOK, MessageBoxA(NULL, "Queue empty", NULL, MB_OKCANCEL));
  const std::vector<winsim::MessageBoxRecord> &boxes = winsim::MessageBoxes();
  ASSERT_EQ(4u, boxes.size());
  EXPECT_EQ(owner, boxes[0].owner);
  EXPECT_EQ("Cannot copy", boxes[0].text);
  EXPECT_EQ("Title", boxes[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING), boxes[0].style);
  EXPECT_EQ("Error", boxes[3].caption);  // Windows' caption when none is given
  winsim::QueueMessageBoxAnswer(IDYES);
  EXPECT_DEATH(MessageBoxA(NULL, "No Yes button", "Title", MB_OKCANCEL), "does not have");
}

TEST(Machine, BroadcastsKeepTheirText) {
  Sandbox sandbox;
  char section[] = "Fonts";
  winsim::RecordBroadcast(WM_FONTCHANGE, 0, 0);
  winsim::RecordBroadcast(WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section));
  section[0] = 'X';  // the record holds a copy
  ASSERT_EQ(2u, winsim::Broadcasts().size());
  EXPECT_EQ(static_cast<UINT>(WM_FONTCHANGE), winsim::Broadcasts()[0].message);
  EXPECT_EQ(static_cast<UINT>(WM_WININICHANGE), winsim::Broadcasts()[1].message);
  EXPECT_EQ("Fonts", winsim::Broadcasts()[1].text);
}

TEST(Machine, EndsWithItsGuard) {
  std::string root;
  {
    Sandbox sandbox;
    root = winsim::HostPath("C:\\");
  }
  EXPECT_DEATH(GetTickCount(), "without a machine");
}
