// Measuring, copying and deleting files, on the platform's real files: what each routine
// answers and what it leaves behind at the source and the destination.
#include "catalog/file_ops.h"

#include "catalog_test_support.h"

namespace {

// Bytes that differ from position to position, so that a chunk copied twice or skipped shows.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i++) bytes[i] = (char)(i * 7 + i / 251);
  return bytes;
}

using FileOps = CatalogTest;

TEST_F(FileOps, LengthOfMissingEmptyAndFilledFiles) {
  sandbox.WriteFile(sandbox.InProgramDir("EMPTY.TTF"), "");
  sandbox.WriteFile(sandbox.InProgramDir("FULL.TTF"), Pattern(70000));
  EXPECT_EQ(-1, GetFileLength(sandbox.InProgramDir("MISSING.TTF").c_str()));
  EXPECT_EQ(0, GetFileLength(sandbox.InProgramDir("EMPTY.TTF").c_str()));
  EXPECT_EQ(70000, GetFileLength(sandbox.InProgramDir("FULL.TTF").c_str()));
}

TEST_F(FileOps, CopyMovesEveryByteWhateverTheSize) {
  // Sizes around the fixed buffer, the largest chunk and their multiples.
  const size_t sizes[] = {0, 1, 511, 512, 513, 1000, 16383, 16384, 16385, 40000, 70001};
  for (size_t size : sizes) {
    SCOPED_TRACE(testing::Message() << size << " bytes");
    std::string source = sandbox.InProgramDir("SOURCE.TTF");
    std::string destination = sandbox.InProgramDir("COPY.TTF");
    sandbox.WriteFile(source, Pattern(size));
    sandbox.WriteFile(destination, Pattern(100000));  // an older file of that name is replaced
    EXPECT_EQ(1, CopyFontFile(source.c_str(), destination.c_str()));
    EXPECT_TRUE(sandbox.ReadFile(destination) == Pattern(size));
    EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(size));
  }
}

TEST_F(FileOps, FailedCopiesLeaveTheSourceAndSayZero) {
  std::string source = sandbox.InProgramDir("SOURCE.TTF");
  std::string destination = sandbox.InProgramDir("TARGET.TTF");

  // A missing source: nothing is opened, the destination is not touched.
  sandbox.WriteFile(destination, "older");
  EXPECT_EQ(0, CopyFontFile(sandbox.InProgramDir("MISSING.TTF").c_str(), destination.c_str()));
  EXPECT_EQ("older", sandbox.ReadFile(destination));

  // A destination that cannot be created (its directory is missing). The source's handle and
  // the buffer must still be given back: the file can be deleted, and copied again.
  sandbox.WriteFile(source, Pattern(30000));
  std::string nowhere = sandbox.InProgramDir("NODIR\\TARGET.TTF");
  EXPECT_EQ(0, CopyFontFile(source.c_str(), nowhere.c_str()));
  EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(30000));
  EXPECT_EQ(1, CopyFontFile(source.c_str(), destination.c_str()));
  EXPECT_EQ(1, DeleteFontFile(source.c_str()));
}

TEST_F(FileOps, DeleteSaysWhetherAFileWentAway) {
  std::string path = sandbox.InProgramDir("DOOMED.TTF");
  sandbox.WriteFile(path, "bytes");
  EXPECT_EQ(1, DeleteFontFile(path.c_str()));
  EXPECT_FALSE(sandbox.Exists(path));
  EXPECT_EQ(0, DeleteFontFile(path.c_str()));
}

}  // namespace
