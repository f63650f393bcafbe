// The test that a listed name is a bare 8.3 file name, answered by the platform's own parser for
// the directory and drive parts and by the 8.3 rule for the rest.
#include "catalog/list_loader.h"

#include <gtest/gtest.h>

#include "common/sandbox.h"

namespace {

TEST(ShortName, BareEightThreeNamesOnly) {
  Sandbox sandbox;
  struct Row {
    const char *name;
    int plain;
  };
  const Row rows[] = {
      {"HARBOR.TTF", 1},    {"harbor.ttf", 1},      {"ABCDEFGH", 1},  // 8 characters without a dot
      {"ABCDEFGHI", 0},                                               // 9
      {"ABCDEFGH.TTF", 1},                                            // 8 before the dot
      {"ABCDEFGHI.TTF", 0},                                           // 9 before the dot
      {"A.TTF", 1},         {"A.TTFX", 0},                            // 4 after the dot
      {"ABC.", 1},                                                    // nothing after the dot
      {".TTF", 0},                                                    // nothing before it
      {"A.B.D", 1},  // further dots count as characters after the first
      {"A.B.DE", 0},        {"ABCDEFGHIJKLMNO", 0}, {"FONTS\\MAPLE.TTF", 0},  // directory part
      {"X/Y.TTF", 0},       {"..\\X.TTF", 0},       {"D:\\X.TTF", 0},         // drive part
      {"C:X.TTF", 0},                        // drive-relative, or a stream of the file C
      {"A:B", 0},           {"CON.TTF", 0},  // devices lie in no directory
      {"NUL.TTF", 0},       {"COM1.TTF", 0},        {"LPT1", 0},
      {"\\X.TTF", 0},       {"\\\\X", 0},           {"/X.TTF", 0},  // rooted, parsed into the root
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.plain, IsPlainShortName(row.name));
  }
}

}  // namespace
