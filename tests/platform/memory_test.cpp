// Movable global memory as the candidate table and the copy buffer use it: zero-filled blocks,
// lock counts in GlobalFlags, growth that keeps the contents under a possibly new handle.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/sandbox.h"

TEST(GlobalMemory, MovableZeroFilledBlockWithLockCount) {
  Sandbox sandbox;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 300);
  ASSERT_NE(nullptr, block);
  EXPECT_GE(GlobalSize(block), 300u);
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  unsigned char *bytes = static_cast<unsigned char *>(GlobalLock(block));
  ASSERT_NE(nullptr, bytes);
  EXPECT_NE(static_cast<void *>(block), static_cast<void *>(bytes));  // a handle, not an address
  for (int i = 0; i < 300; i++) ASSERT_EQ(0, bytes[i]) << "byte " << i;
  EXPECT_EQ(1u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  EXPECT_EQ(bytes, GlobalLock(block));
  EXPECT_EQ(2u, GlobalFlags(block) & GMEM_LOCKCOUNT);

  // GlobalUnlock says whether the block is still locked; one unlock too many fails.
  EXPECT_TRUE(GlobalUnlock(block));
  EXPECT_EQ(1u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  SetLastError(12345);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(static_cast<DWORD>(NO_ERROR), GetLastError());
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_LOCKED), GetLastError());
  EXPECT_EQ(nullptr, GlobalFree(block));
}

TEST(GlobalMemory, ReallocationKeepsTheContents) {
  Sandbox sandbox;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  ASSERT_NE(nullptr, block);
  char *bytes = static_cast<char *>(GlobalLock(block));
  memcpy(bytes, "0123456789abcdef", 16);
  GlobalUnlock(block);
  struct Row {
    size_t size;
    const char *kept;
  };
  const Row rows[] = {{32, "0123456789abcdef"},
                      {100000, "0123456789abcdef"},
                      {10, "0123456789"},
                      {64, "0123456789"}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.size);
    HGLOBAL grown = GlobalReAlloc(block, row.size, GMEM_MOVEABLE);
    ASSERT_NE(nullptr, grown);
    block = grown;  // the handle may change
    EXPECT_GE(GlobalSize(block), row.size);
    bytes = static_cast<char *>(GlobalLock(block));
    ASSERT_NE(nullptr, bytes);
    EXPECT_EQ(row.kept, std::string(bytes, strlen(row.kept)));
    EXPECT_TRUE(GlobalUnlock(block) == FALSE);
  }
  EXPECT_EQ(nullptr, GlobalFree(block));
}

TEST(GlobalMemory, EmptyMovableBlockHasNoMemory) {
  Sandbox sandbox;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 0);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0u, GlobalSize(block));
  EXPECT_EQ(static_cast<UINT>(GMEM_DISCARDED), GlobalFlags(block));
  EXPECT_EQ(nullptr, GlobalLock(block));
  EXPECT_EQ(nullptr, GlobalFree(block));
}
