// The line scanners: only the space is a blank, and only bytes 0x01..0x1F are control bytes
// (0x7F and 0x80..0xFF are characters of the code page).
#include "catalog/list_loader.h"

#include <gtest/gtest.h>

namespace {

TEST(LineScan, ScannersOverBlanksAndOtherBytes) {
  struct Row {
    const char *text;
    int findSpace;
    int skipSpaces;
    int trimmedLength;
  };
  const Row rows[] = {
      {"", -1, -1, 0},    {"   ", 0, -1, 0},       {"abc", -1, 0, 3},  {"  ab", 0, 2, 4},
      {"ab  ", 2, 0, 2},  {"ab cd ", 2, 0, 5},     {"\tab", -1, 0, 3},  // a TAB is no blank
      {"ab\t", -1, 0, 3}, {"\xA0x \xA0", 2, 0, 4},  // nor is the no-break space of the code page
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(testing::Message() << "text \"" << row.text << "\"");
    EXPECT_EQ(row.findSpace, FindSpace(row.text));
    EXPECT_EQ(row.skipSpaces, SkipSpaces(row.text));
    EXPECT_EQ(row.trimmedLength, TrimmedLength(row.text));
  }
}

TEST(LineScan, PrintableLineRejectsExactlyTheControlBytes) {
  for (int byte = 1; byte <= 0xFF; byte++) {
    char text[] = {'a', (char)byte, 'b', '\0'};
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << byte);
    EXPECT_EQ(byte <= 0x1F ? 0 : 1, IsPrintableLine(text));
  }
  EXPECT_EQ(1, IsPrintableLine(""));
}

}  // namespace
