// winsim's memory faults and counters: each injected failure fires at exactly the call it was
// set for, a failed reallocation leaves the old block as it was, and the counters tell leaks.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

// Which of `calls` allocations of `bytes` succeed, as a string of '+' and '-'.
std::string AllocationPattern(int calls, size_t bytes) {
  std::string pattern;
  for (int i = 0; i < calls; i++) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    pattern += block != nullptr ? '+' : '-';
    if (block != nullptr) GlobalFree(block);
  }
  return pattern;
}

}  // namespace

TEST(MemoryFaults, NthAllocationFailsOnceOrFromThenOn) {
  struct Row {
    int nth;
    winsim::Times times;
    const char *pattern;
  };
  const Row rows[] = {
      {1, winsim::Times::Once, "-++++"},       {3, winsim::Times::Once, "++-++"},
      {5, winsim::Times::Once, "++++-"},       {6, winsim::Times::Once, "+++++"},
      {1, winsim::Times::FromThenOn, "-----"}, {3, winsim::Times::FromThenOn, "++---"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::to_string(row.nth) + (row.times == winsim::Times::Once ? " once" : " on"));
    Sandbox sandbox;
    winsim::FailAllocation(row.nth, row.times);
    EXPECT_EQ(row.pattern, AllocationPattern(5, 100));
    EXPECT_EQ(5, winsim::AllocationCount());
    EXPECT_EQ(std::vector<size_t>(5, 100), winsim::AllocationSizes());
    EXPECT_EQ(0, winsim::LiveBlocks());
  }
}

TEST(MemoryFaults, ReallocationsCountWithAllocations) {
  Sandbox sandbox;
  winsim::FailAllocation(3);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);  // call 1
  ASSERT_NE(nullptr, block);
  char *bytes = static_cast<char *>(GlobalLock(block));
  memcpy(bytes, "records", 8);
  GlobalUnlock(block);
  HGLOBAL grown = GlobalReAlloc(block, 16, GMEM_MOVEABLE);  // call 2
  ASSERT_NE(nullptr, grown);
  EXPECT_NE(block, grown);  // winsim always hands out a new handle here
  EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(block));  // the old one is void
  EXPECT_EQ(1, winsim::InvalidHandleUses());

  SetLastError(0);
  EXPECT_EQ(nullptr, GlobalReAlloc(grown, 24, GMEM_MOVEABLE));  // call 3 fails
  EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
  EXPECT_EQ(16u, GlobalSize(grown));  // the old block stays as it was
  EXPECT_STREQ("records", static_cast<char *>(GlobalLock(grown)));
  GlobalUnlock(grown);
  HGLOBAL again = GlobalReAlloc(grown, 24, GMEM_MOVEABLE);  // call 4
  ASSERT_NE(nullptr, again);
  EXPECT_STREQ("records", static_cast<char *>(GlobalLock(again)));
  GlobalUnlock(again);
  EXPECT_EQ(4, winsim::AllocationCount());
  EXPECT_EQ(std::vector<size_t>{8}, winsim::AllocationSizes());  // GlobalAlloc sizes only
  EXPECT_EQ(1, winsim::LiveBlocks());
  GlobalFree(again);
  EXPECT_EQ(0, winsim::LiveBlocks());
}

TEST(MemoryFaults, AllocationsOfOneSizeCountedApart) {
  Sandbox sandbox;
  winsim::FailAllocationOfSize(513, 2);
  std::string pattern;
  const size_t sizes[] = {513, 100, 513, 513, 100};
  for (size_t size : sizes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    pattern += block != nullptr ? '+' : '-';
    if (block != nullptr) GlobalFree(block);
  }
  EXPECT_EQ("++-++", pattern);

  winsim::FailAllocationOfSize(1024, 1, winsim::Times::FromThenOn);
  EXPECT_EQ("----", AllocationPattern(4, 1024));
  EXPECT_EQ("++++", AllocationPattern(4, 2048));
  winsim::ClearFaults();
  EXPECT_EQ("++", AllocationPattern(2, 1024));
}

TEST(MemoryFaults, GrantedSizeMayExceedTheRequest) {
  Sandbox sandbox;
  winsim::GrantSize(1000, 4096);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1000);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(4096u, GlobalSize(block));
  char *bytes = static_cast<char *>(GlobalLock(block));
  for (int i = 0; i < 4096; i++) ASSERT_EQ(0, bytes[i]);  // all of it usable and zeroed
  memset(bytes, 'x', 4096);
  GlobalUnlock(block);
  GlobalFree(block);
  HGLOBAL other = GlobalAlloc(GMEM_MOVEABLE, 999);
  EXPECT_EQ(999u, GlobalSize(other));
  GlobalFree(other);
}

TEST(MemoryFaults, CountersTellLockedAndLeakedBlocks) {
  Sandbox sandbox;
  HGLOBAL a = GlobalAlloc(GMEM_MOVEABLE, 10);
  HGLOBAL b = GlobalAlloc(GMEM_MOVEABLE, 10);
  EXPECT_EQ(2, winsim::LiveBlocks());
  EXPECT_EQ(0, winsim::LockedBlocks());
  unsigned char *bytes = static_cast<unsigned char *>(GlobalLock(a));
  EXPECT_NE(0, bytes[0]);  // not zeroed unless asked
  GlobalLock(a);
  GlobalLock(b);
  EXPECT_EQ(2, winsim::LockedBlocks());
  GlobalUnlock(a);
  EXPECT_EQ(2, winsim::LockedBlocks());
  GlobalUnlock(a);
  GlobalUnlock(b);
  EXPECT_EQ(0, winsim::LockedBlocks());
  EXPECT_EQ(nullptr, GlobalFree(a));
  EXPECT_EQ(a, GlobalFree(a));  // freed already
  EXPECT_EQ(nullptr, GlobalLock(a));
  EXPECT_EQ(2, winsim::InvalidHandleUses());
  EXPECT_EQ(1, winsim::LiveBlocks());
  GlobalFree(b);
}

TEST(MemoryFaults, UnsupportedFlagsAbort) {
  Sandbox sandbox;
  EXPECT_DEATH(GlobalAlloc(0x2000 /* GMEM_DDESHARE */, 10), "unsupported: GlobalAlloc");
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 10);
  EXPECT_DEATH(GlobalReAlloc(block, 10, 0x80 /* GMEM_MODIFY */), "unsupported: GlobalReAlloc");
  GlobalFree(block);
}
