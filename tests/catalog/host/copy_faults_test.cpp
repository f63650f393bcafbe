// The copy when memory, the source or the destination lets it down: which buffer sizes it asks
// for, in what chunks it moves the bytes, and what the destination holds afterwards. After each
// copy nothing may stay open, locked or allocated.
#include "catalog/file_ops.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i++) bytes[i] = (char)(i * 7 + i / 251);
  return bytes;
}

class CopyFaults : public CatalogTest {
 protected:
  const std::string source = sandbox.InProgramDir("SOURCE.TTF");
  const std::string destination = sandbox.InSystemDir("SOURCE.TTF");

  int Copy() {
    size_t before = winsim::AllocationSizes().size();
    int result = CopyFontFile(source.c_str(), destination.c_str());
    const std::vector<size_t> &all = winsim::AllocationSizes();
    asked.assign(all.begin() + before, all.end());
    EXPECT_EQ(0, winsim::OpenFileHandles());
    EXPECT_EQ(0, winsim::LiveBlocks());
    EXPECT_EQ(0, winsim::InvalidHandleUses());
    return result;
  }

  std::vector<size_t> asked;  // the buffer sizes the last copy asked for
};

TEST_F(CopyFaults, BufferHalvesDownToTheFixedOne) {
  struct Row {
    size_t size;
    std::vector<size_t> refused;
    std::vector<size_t> asked;
  };
  const Row rows[] = {
      {40000, {}, {16384}},
      {40000, {16384}, {16384, 8192}},
      {40000, {16384, 8192, 4096, 2048}, {16384, 8192, 4096, 2048, 1024}},
      {40000, {16384, 8192, 4096, 2048, 1024}, {16384, 8192, 4096, 2048, 1024}},
      {16385, {}, {16384}},
      {16384, {16384}, {16384, 8192}},
      {1000, {1000}, {1000}},
      {1026, {1026}, {1026, 513}},
      {1026, {1026, 513}, {1026, 513}},
      {1025, {1025}, {1025}},  // half is 512: the fixed buffer
      {513, {}, {513}},
      {513, {513}, {513}},
      {512, {}, {}},
      {1, {}, {}},
      {0, {}, {}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << row.size << " bytes, " << row.refused.size() << " refused");
    winsim::ClearFaults();
    for (size_t size : row.refused)
      winsim::FailAllocationOfSize(size, 1, winsim::Times::FromThenOn);
    sandbox.WriteFile(source, Pattern(row.size));
    sandbox.Remove(destination);
    EXPECT_EQ(1, Copy());
    EXPECT_EQ(row.asked, asked);
    EXPECT_TRUE(sandbox.ReadFile(destination) == Pattern(row.size));
  }
}

TEST_F(CopyFaults, ChunksHaveTheGrantedSizeAndTheLastOneTheRest) {
  // A source that delivers fewer bytes than measured shows the chunks: the destination keeps
  // the whole chunks read before the short one.
  struct Row {
    const char *context;
    size_t granted;  // for the request of 16,384 bytes; 0: as asked
    size_t deliverable;
    int result;
    size_t kept;
  };
  const Row rows[] = {
      {"as asked, all", 0, 50000, 1, 50000},
      {"as asked, short", 0, 45000, 0, 32768},
      {"granted more, all", 20000, 50000, 1, 50000},
      {"granted more, short in the second chunk", 20000, 39999, 0, 20000},
      {"granted more, short in the last chunk", 20000, 49999, 0, 40000},
      {"fixed buffer, short", 1, 1000, 0, 512},  // every block refused below
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::ClearFaults();
    if (row.granted > 1) winsim::GrantSize(16384, row.granted);
    if (row.granted == 1) winsim::FailAllocation(1, winsim::Times::FromThenOn);
    if (row.deliverable < 50000) winsim::ShortRead(source, row.deliverable);
    sandbox.WriteFile(source, Pattern(50000));
    sandbox.Remove(destination);
    EXPECT_EQ(row.result, Copy());
    EXPECT_TRUE(sandbox.ReadFile(destination) == Pattern(row.kept))
        << sandbox.ReadFile(destination).size() << " bytes kept";
    EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(50000));
  }
}

TEST_F(CopyFaults, WhatTheDestinationHoldsAfterAFailure) {
  struct Row {
    const char *context;
    size_t size;
    void (*fault)(const std::string &source, const std::string &destination);
    int result;
    const char *kept;  // "old", "none", "empty", "all", or a byte count in digits
  };
  const Row rows[] = {
      {"read-only destination", 40000,
       [](const std::string &, const std::string &d) {
         SetFileAttributesA(d.c_str(), FILE_ATTRIBUTE_READONLY);
       },
       0, "old"},
      {"destination cannot be created", 40000,
       [](const std::string &, const std::string &d) { winsim::FailCreate(d); }, 0, "old"},
      {"source measured, then cannot be opened", 40000,
       [](const std::string &s, const std::string &) {
         winsim::FailOpen(s, 2, winsim::Times::Once);
       },
       0, "old"},
      {"source measured, then cannot be opened, small", 100,
       [](const std::string &s, const std::string &) {
         winsim::FailOpen(s, 2, winsim::Times::Once);
       },
       0, "old"},
      {"disk full within a chunk", 5000,
       [](const std::string &, const std::string &d) { winsim::ShortWrite(d, 1000); }, 0, "1000"},
      {"disk full at a chunk's end", 40000,
       [](const std::string &, const std::string &d) { winsim::ShortWrite(d, 16384); }, 0, "16384"},
      {"closing the destination fails", 40000,
       [](const std::string &, const std::string &d) { winsim::FailClose(d); }, 0, "all"},
      {"closing the source fails", 40000,
       [](const std::string &s, const std::string &) { winsim::FailClose(s); }, 1, "all"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::ClearFaults();
    sandbox.WriteFile(source, Pattern(row.size));
    sandbox.WriteFile(destination, "old");
    row.fault(source, destination);
    EXPECT_EQ(row.result, Copy());
    std::string kept = row.kept;
    std::string expected = kept == "old"     ? "old"
                           : kept == "empty" ? ""
                           : kept == "all"   ? Pattern(row.size)
                                             : Pattern(std::stoul(kept));
    EXPECT_TRUE(sandbox.ReadFile(destination) == expected)
        << sandbox.ReadFile(destination).size() << " bytes kept";
    EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(row.size));
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(CopyFaults, AMissingSourceTouchesNothing) {
  sandbox.WriteFile(destination, "old");
  EXPECT_EQ(0, Copy());
  EXPECT_EQ("old", sandbox.ReadFile(destination));
  EXPECT_TRUE(asked.empty());
}

}  // namespace
