// The .Fot name: what follows the last dot becomes "Fot"; a name without a dot gets ".Fot".
#include "catalog/resource_name.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ResourceName, LastDotDecides) {
  struct Row {
    const char *fileName;
    int result;
    const char *resourceName;
  };
  const Row rows[] = {
      {"HARBOR.TTF", 1, "HARBOR.Fot"},
      {"harbor.ttf", 1, "harbor.Fot"},  // the base keeps its spelling
      {"A.B.D", 1, "A.B.Fot"},
      {"ABC.", 1, "ABC.Fot"},
      {"HARBOR", 1, "HARBOR.Fot"},
      {"ABCDEFGH", 1, "ABCDEFGH.Fot"},
      {"ABCDEFGH.AB.CDE", 1, "ABCDEFGH.AB.Fot"},  // 15 characters: the buffer's limit
      {"ABCDEFGHIJK", 1, "ABCDEFGHIJK.Fot"},
      {"ABCDEFGHIJKL", 0, ""},  // would need 16 characters
      {"ABCDEFGHIJKLM.N", 0, ""},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.fileName);
    char resourceName[16];
    std::memset(resourceName, 'Z', sizeof resourceName);
    EXPECT_EQ(row.result, MakeResourceName(row.fileName, resourceName));
    EXPECT_STREQ(row.resourceName, resourceName);
  }
}

}  // namespace
