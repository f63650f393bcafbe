// winsim's file faults: a failed open, create or close of one path, a short read and a full
// disk, each firing exactly where it was set; and the handle count that shows leaks.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

std::string OpenPattern(const std::string &path, int calls) {
  std::string pattern;
  for (int i = 0; i < calls; i++) {
    HFILE file = _lopen(path.c_str(), OF_READ);
    pattern += file != HFILE_ERROR ? '+' : '-';
    if (file != HFILE_ERROR) _lclose(file);
  }
  return pattern;
}

}  // namespace

TEST(FileFaults, NthOpenOfOnePathFails) {
  Sandbox sandbox;
  std::string path = sandbox.InProgramDir("HARBOR.TTF");
  std::string other = sandbox.InProgramDir("OTHER.TTF");
  sandbox.WriteFile(path, "h");
  sandbox.WriteFile(other, "o");
  // The path is matched after qualification and without regard to case.
  winsim::FailOpen("c:\\qb\\.\\harbor.ttf", 2);
  EXPECT_EQ("+", OpenPattern(path, 1));
  EXPECT_EQ("++", OpenPattern(other, 2));
  EXPECT_EQ("----", OpenPattern(path, 4));
  winsim::ClearFaults();
  winsim::FailOpen(path, 2, winsim::Times::Once);
  EXPECT_EQ("+-++", OpenPattern(path, 4));
  EXPECT_EQ(0, winsim::OpenFileHandles());
}

TEST(FileFaults, FailedCreateLeavesTheFileAlone) {
  Sandbox sandbox;
  std::string path = sandbox.InSystemDir("SERIF1.TTF");
  sandbox.WriteFile(path, "older");
  winsim::FailCreate(path);
  SetLastError(0);
  EXPECT_EQ(HFILE_ERROR, _lcreat(path.c_str(), 0));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_EQ("older", sandbox.ReadFile(path));
  EXPECT_EQ(HFILE_ERROR, _lcreat(sandbox.InSystemDir("serif1.ttf").c_str(), 0));
  HFILE other = _lcreat(sandbox.InSystemDir("SERIF2.TTF").c_str(), 0);
  EXPECT_NE(HFILE_ERROR, other);
  _lclose(other);
  // Opening for reading is not creating.
  EXPECT_EQ("+", OpenPattern(path, 1));
}

TEST(FileFaults, ReadOnlyFileCannotBeCreated) {
  // Windows refuses it; Wine run by root does not, which is why this is checked on the host only.
  Sandbox sandbox;
  std::string path = sandbox.InSystemDir("LOCKED.TTF");
  sandbox.WriteFile(path, "locked");
  sandbox.SetReadOnly(path, true);
  EXPECT_EQ(HFILE_ERROR, _lcreat(path.c_str(), 0));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_EQ(HFILE_ERROR, _lopen(path.c_str(), OF_WRITE));
  EXPECT_EQ("locked", sandbox.ReadFile(path));
  EXPECT_EQ(0, winsim::OpenFileHandles());
}

TEST(FileFaults, ShortReadPerHandle) {
  Sandbox sandbox;
  std::string path = sandbox.InProgramDir("QUILLBOX.LST");
  sandbox.WriteFile(path, std::string(300, 'L'));
  winsim::ShortRead(path, 100);
  char buffer[400];
  for (int handle = 0; handle < 2; handle++) {
    SCOPED_TRACE(handle);
    HFILE file = _lopen(path.c_str(), OF_READ);
    EXPECT_EQ(60u, _lread(file, buffer, 60));
    EXPECT_EQ(40u, _lread(file, buffer, 60));  // stops at 100 in all
    EXPECT_EQ(0u, _lread(file, buffer, 60));
    _lclose(file);
  }
  winsim::ClearFaults();
  HFILE whole = _lopen(path.c_str(), OF_READ);
  EXPECT_EQ(300u, _lread(whole, buffer, sizeof buffer));
  _lclose(whole);
}

TEST(FileFaults, ShortWriteIsAFullDisk) {
  Sandbox sandbox;
  std::string path = sandbox.InSystemDir("SERIF1.TTF");
  winsim::ShortWrite(path, 10);
  HFILE file = _lcreat(path.c_str(), 0);
  ASSERT_NE(HFILE_ERROR, file);
  EXPECT_EQ(6u, _lwrite(file, "abcdef", 6));
  EXPECT_EQ(4u, _lwrite(file, "ghijkl", 6));  // what fits
  EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), GetLastError());
  EXPECT_EQ(static_cast<UINT>(HFILE_ERROR), _lwrite(file, "m", 1));
  EXPECT_EQ(0, _lclose(file));
  EXPECT_EQ("abcdefghij", sandbox.ReadFile(path));
}

TEST(FileFaults, FailedCloseStillReleasesTheHandle) {
  Sandbox sandbox;
  std::string path = sandbox.InSystemDir("SERIF1.TTF");
  winsim::FailClose(path);
  HFILE file = _lcreat(path.c_str(), 0);
  _lwrite(file, "all", 3);
  EXPECT_EQ(1, winsim::OpenFileHandles());
  EXPECT_EQ(HFILE_ERROR, _lclose(file));
  EXPECT_EQ(0, winsim::OpenFileHandles());
  EXPECT_EQ("all", sandbox.ReadFile(path));
  EXPECT_EQ(HFILE_ERROR, _lclose(file));  // now it is gone
  EXPECT_EQ(1, winsim::InvalidHandleUses());
  HFILE reader = _lopen(path.c_str(), OF_READ);  // reading handles fail to close too
  EXPECT_EQ(HFILE_ERROR, _lclose(reader));
  HFILE other = _lcreat(sandbox.InSystemDir("OTHER.TTF").c_str(), 0);
  EXPECT_EQ(0, _lclose(other));
}

TEST(FileFaults, HandleCountShowsLeaks) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("A.TTF"), "a");
  HFILE a = _lopen(sandbox.InProgramDir("A.TTF").c_str(), OF_READ);
  HFILE b = _lcreat(sandbox.InProgramDir("B.TTF").c_str(), 0);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(sandbox.InProgramDir("*.TTF").c_str(), &found);
  EXPECT_EQ(3, winsim::OpenFileHandles());
  _lclose(a);
  _lclose(b);
  FindClose(search);
  EXPECT_EQ(0, winsim::OpenFileHandles());
}

TEST(FileFaults, UnsupportedModesAbort) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("A.TTF"), "a");
  std::string path = sandbox.InProgramDir("A.TTF");
  EXPECT_DEATH(_lopen(path.c_str(), OF_READ | 0x10 /* OF_SHARE_EXCLUSIVE */), "deny-sharing");
  EXPECT_DEATH(_lcreat(path.c_str(), 2 /* hidden */), "unsupported: _lcreat");
  OFSTRUCT ofs;
  EXPECT_DEATH(OpenFile(path.c_str(), &ofs, OF_READ), "unsupported: OpenFile");
  EXPECT_DEATH(OpenFile("A.TTF", &ofs, OF_DELETE), "searched along the path");
  EXPECT_DEATH(_lopen("C:\\QB\\CON.TTF", OF_READ), "device name");
}
