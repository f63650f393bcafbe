// The program's own path and the system directory, with Windows' rules for a buffer that is too
// small: GetModuleFileNameA fills it without a NUL, the directory calls ask for a larger one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

TEST(Module, PathOfTheProgramAndTruncation) {
  Sandbox sandbox;
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(sandbox.Instance(), path, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(strlen(path), length);
  EXPECT_EQ(sandbox.ProgramDir(), std::string(path).substr(0, std::string(path).rfind('\\') + 1));
  EXPECT_EQ(length, GetModuleFileNameA(NULL, path, MAX_PATH));

  struct Row {
    DWORD size;
  };
  const Row rows[] = {{5}, {length - 1}, {length}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.size);
    char small[MAX_PATH + 1];
    memset(small, '#', sizeof small);
    SetLastError(0);
    EXPECT_EQ(row.size, GetModuleFileNameA(NULL, small, row.size));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(std::string(path, row.size), std::string(small, row.size));  // no NUL
    EXPECT_EQ('#', small[row.size]);
  }
  SetLastError(0);
  EXPECT_EQ(length, GetModuleFileNameA(NULL, path, length + 1));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
}

TEST(Module, DirectoryCallsAskForALargerBuffer) {
  Sandbox sandbox;
  char dir[MAX_PATH];
  UINT length = GetSystemDirectoryA(dir, MAX_PATH);
  ASSERT_GT(length, 3u);
  EXPECT_EQ(strlen(dir), length);
  char small[MAX_PATH];
  memset(small, '#', sizeof small);
  EXPECT_EQ(length + 1, GetSystemDirectoryA(small, 3));
  EXPECT_EQ('#', small[0]);  // untouched
  EXPECT_EQ(length + 1, GetSystemDirectoryA(small, length));
  EXPECT_EQ(length, GetSystemDirectoryA(small, length + 1));
  EXPECT_STREQ(dir, small);

  length = GetWindowsDirectoryA(dir, MAX_PATH);
  EXPECT_EQ(length + 1, GetWindowsDirectoryA(small, 0));
  EXPECT_EQ(':', dir[1]);
  EXPECT_EQ('\\', dir[2]);
}
