// The copy when the source or the destination lets it down: what the copy answers and what the
// destination holds afterwards, with nothing left open, locked or allocated.
#include "catalog/file_ops.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

using CopyFaults = CatalogTest;

TEST_F(CopyFaults, WhatTheDestinationHoldsAfterAFailure) {
  const std::string source = sandbox.InProgramDir("SOURCE.TTF");
  const std::string destination = sandbox.InSystemDir("SOURCE.TTF");
  using Path = const std::string &;
  struct Row {
    const char *context;
    size_t size;
    void (*fault)(Path source, Path destination);
    int result;
    long kept;  // what the destination holds: -1 its old bytes, else how many of the source's
  };
  const Row rows[] = {
      {"read-only destination", 40000,
       [](Path, Path d) { SetFileAttributesA(d.c_str(), FILE_ATTRIBUTE_READONLY); }, 0, -1},
      {"destination cannot be created", 40000, [](Path, Path d) { winsim::FailCreate(d); }, 0, -1},
      {"source measured, then cannot be opened", 40000,
       [](Path s, Path) { winsim::FailOpen(s, 2, winsim::Times::Once); }, 0, -1},
      {"source comes short", 40000, [](Path s, Path) { winsim::ShortRead(s, 20000); }, 0, 16384},
      {"disk full within a chunk", 5000, [](Path, Path d) { winsim::ShortWrite(d, 1000); }, 0,
       1000},
      {"closing the destination fails", 40000, [](Path, Path d) { winsim::FailClose(d); }, 0,
       40000},
      {"closing the source fails", 40000, [](Path s, Path) { winsim::FailClose(s); }, 1, 40000},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::ClearFaults();
    sandbox.WriteFile(source, Pattern(row.size));
    sandbox.WriteFile(destination, "old");
    row.fault(source, destination);
    EXPECT_EQ(row.result, CopyFontFile(source.c_str(), destination.c_str()));
    std::string expected = row.kept < 0 ? "old" : Pattern(row.kept);
    EXPECT_TRUE(sandbox.ReadFile(destination) == expected)
        << sandbox.ReadFile(destination).size() << " bytes kept";
    EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(row.size));
    EXPECT_EQ(0, winsim::OpenFileHandles());
    EXPECT_EQ(0, winsim::LiveBlocks());
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
