// A font file of 2 GiB or more cannot be measured in the 32 bits the program keeps sizes in: it
// counts as a file that cannot be opened, rather than as one of a negative size. The files are
// sparse, so that they cost no disk.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalog/file_ops.h"
#include "common/sandbox.h"

namespace {

TEST(LargeFile, FromTwoGibibytesOnItCannotBeMeasured) {
  Sandbox sandbox;
  const std::string path = sandbox.InProgramDir("LARGE.TTF");
  const struct {
    LONGLONG size;
    int measured;
  } rows[] = {{0x7FFFFFFF, 0x7FFFFFFF}, {0x80000000LL, -1}, {0xFFFFFFFFLL, -1}};
  for (const auto &row : rows) {
    SCOPED_TRACE(row.size);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end;
    end.QuadPart = row.size;
    ASSERT_TRUE(SetFilePointerEx(file, end, NULL, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_EQ(row.measured, GetFileLength(path.c_str()));
  }
  DeleteFileA(path.c_str());
}

}  // namespace
