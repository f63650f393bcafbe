// Movable global memory as the candidate table, the listings and the copy buffer use it:
// zero-filled blocks behind handles, lock counts in GlobalFlags, growth that keeps the contents
// under a possibly new handle.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/sandbox.h"

TEST(GlobalMemory, MovableZeroFilledBlockThatKeepsItsContentsWhenItGrows) {
  Sandbox sandbox;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 300);
  ASSERT_NE(nullptr, block);
  EXPECT_GE(GlobalSize(block), 300u);
  unsigned char *bytes = static_cast<unsigned char *>(GlobalLock(block));
  ASSERT_NE(nullptr, bytes);
  EXPECT_NE(static_cast<void *>(block), static_cast<void *>(bytes));  // a handle, not an address
  for (int i = 0; i < 300; i++) ASSERT_EQ(0, bytes[i]) << "byte " << i;
  EXPECT_EQ(bytes, GlobalLock(block));
  EXPECT_EQ(2u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  // GlobalUnlock says whether the block is still locked.
  EXPECT_TRUE(GlobalUnlock(block));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  std::memcpy(GlobalLock(block), "0123456789abcdef", 16);
  GlobalUnlock(block);
  const size_t sizes[] = {32, 100000, 10};
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    HGLOBAL grown = GlobalReAlloc(block, size, GMEM_MOVEABLE);
    ASSERT_NE(nullptr, grown);
    block = grown;  // the handle may change
    EXPECT_GE(GlobalSize(block), size);
    const char *kept = static_cast<const char *>(GlobalLock(block));
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(std::string("0123456789abcdef").substr(0, size),
              std::string(kept, size < 16 ? size : 16));
    GlobalUnlock(block);
  }
  EXPECT_EQ(nullptr, GlobalFree(block));
}
