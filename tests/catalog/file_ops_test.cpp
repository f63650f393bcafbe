// Measuring, copying and deleting files, on the platform's real files: what each routine
// answers and what it leaves behind at the source and the destination.
#include "catalog/file_ops.h"

#include "catalog_test_support.h"

namespace {

using FileOps = CatalogTest;

TEST_F(FileOps, EveryByteMeasuredAndCopiedWhateverTheSize) {
  const std::string source = sandbox.InProgramDir("SOURCE.TTF");
  const std::string destination = sandbox.InProgramDir("COPY.TTF");
  EXPECT_EQ(-1, GetFileLength(source.c_str()));
  // Sizes within one chunk and over several, the last one short.
  for (size_t size : {0, 1, 1000, 16385, 70001}) {
    SCOPED_TRACE(testing::Message() << size << " bytes");
    sandbox.WriteFile(source, Pattern(size));
    sandbox.WriteFile(destination, Pattern(100000));  // an older file of that name is replaced
    EXPECT_EQ(static_cast<int>(size), GetFileLength(source.c_str()));
    EXPECT_EQ(1, CopyFontFile(source.c_str(), destination.c_str()));
    EXPECT_TRUE(sandbox.ReadFile(destination) == Pattern(size));
    EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(size));
  }
}

TEST_F(FileOps, FailedCopiesLeaveTheSourceAndDeleteSaysWhetherItWentAway) {
  const std::string source = sandbox.InProgramDir("SOURCE.TTF");
  const std::string destination = sandbox.InProgramDir("TARGET.TTF");
  // A missing source: the destination is not touched.
  sandbox.WriteFile(destination, "older");
  EXPECT_EQ(0, CopyFontFile(source.c_str(), destination.c_str()));
  EXPECT_EQ("older", sandbox.ReadFile(destination));
  // A destination that cannot be created (its directory is missing): the source's handle is
  // given back, so that the file can be deleted.
  sandbox.WriteFile(source, Pattern(30000));
  EXPECT_EQ(0, CopyFontFile(source.c_str(), sandbox.InProgramDir("NODIR\\TARGET.TTF").c_str()));
  EXPECT_TRUE(sandbox.ReadFile(source) == Pattern(30000));
  EXPECT_EQ(1, DeleteFontFile(source.c_str()));
  EXPECT_FALSE(sandbox.Exists(source));
  EXPECT_EQ(0, DeleteFontFile(source.c_str()));
}

}  // namespace
