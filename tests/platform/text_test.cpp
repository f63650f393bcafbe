// The text helpers the program formats and compares with: CharUpperA over code page 1252,
// lstrcmpiA and lstrcmpA, the lstr copies, wsprintfA and MulDiv. The expected values were
// recorded under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int Sign(int value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

TEST(Text, CharUpperMapsEveryByteOfCodePage1252) {
  for (int c = 1; c < 256; c++) {
    int expected = c;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) expected = c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) expected = c - 0x10;  // s and z with caron, oe
    if (c == 0xFF) expected = 0x9F;                                // y with diaeresis
    char text[2] = {static_cast<char>(c), 0};
    SCOPED_TRACE(c);
    EXPECT_EQ(text, CharUpperA(text));
    EXPECT_EQ(expected, static_cast<unsigned char>(text[0]));
    // A pointer value below 0x10000 carries a single character.
    EXPECT_EQ(static_cast<uintptr_t>(expected),
              reinterpret_cast<uintptr_t>(
                  CharUpperA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(c)))));
  }
  char name[] = "serif1.ttf";
  CharUpperA(name);
  EXPECT_STREQ("SERIF1.TTF", name);
}

TEST(Text, ComparisonsFollowTheLinguisticOrder) {
  struct Row {
    const char *a;
    const char *b;
    int ignoringCase;  // lstrcmpiA
    int exact;         // lstrcmpA
  };
  const Row rows[] = {
      {"HARBOR.TTF", "harbor.ttf", 0, 1},
      {"abc", "abc", 0, 0},
      {"", "", 0, 0},
      {"", "a", -1, -1},
      {"a", "A", 0, -1},  // the small letter first
      {"A", "a", 0, 1},
      {"Ab", "aB", 0, 1},
      {"aB", "Ab", 0, -1},
      {"a", "B", -1, -1},  // letters by the alphabet, not by code
      {"B", "a", 1, 1},
      {"abc", "ABD", -1, -1},
      {"a", "ab", -1, -1},
      {"0", "9", -1, -1},
      {"10", "9", -1, -1},
      {"1", "A", -1, -1},  // digits before letters
      {"_", "A", -1, -1},  // punctuation before both
      {"[", "a", -1, -1},
      {"~", "a", -1, -1},
      {"a b", "ab", -1, -1},
      {"A.TTF", "A-TTF", -1, -1},
      {"co-op", "coop", 1, 1},  // a hyphen or apostrophe counts only when all else is equal
      {"a'b", "ab", 1, 1},
      {"-", "A", -1, -1},
      {"\xe9", "\xc9", 0, -1},  // e acute, small and capital
      {"\xe9", "e", 1, 1},      // the accent counts after the letter
      {"e", "\xe9", -1, -1},
      {"\xe9", "f", -1, -1},
      {"Z", "\xe0", 1, 1},
      {"\xff", "\x9f", 0, -1},  // y with diaeresis
      {"\x9a", "\x8a", 0, -1},  // s with caron
      {"\xe6", "\xc6", 0, -1},  // ae
      {"\xe6", "ae", 0, 0},
      {"\xdf", "ss", 0, 0},  // sharp s
      {"\xdf", "SS", 0, -1},
      {"\xb5", "\xb5", 0, 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string("[") + row.a + "] [" + row.b + "]");
    EXPECT_EQ(row.ignoringCase, Sign(lstrcmpiA(row.a, row.b)));
    EXPECT_EQ(row.exact, Sign(lstrcmpA(row.a, row.b)));
  }
}

TEST(Text, CopiesAndLengths) {
  char buffer[16];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(buffer, lstrcpyA(buffer, "HARBOR"));
  EXPECT_STREQ("HARBOR", buffer);
  EXPECT_EQ(buffer, lstrcatA(buffer, ".Fot"));
  EXPECT_STREQ("HARBOR.Fot", buffer);
  EXPECT_EQ(10, lstrlenA(buffer));
  EXPECT_EQ(0, lstrlenA(""));
  EXPECT_EQ(0, lstrlenA(NULL));
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(buffer, lstrcpynA(buffer, "HARBOR.TTF", 7));  // 6 characters and the NUL
  EXPECT_EQ(std::string("HARBOR\0#", 8), std::string(buffer, 8));
  lstrcpynA(buffer, "AB", 7);
  EXPECT_STREQ("AB", buffer);
}

TEST(Text, WsprintfFormatsTheProgramsConversions) {
  char out[2048];
  EXPECT_EQ(37, wsprintfA(out, "%d new TrueType font is now available.", 1));
  EXPECT_STREQ("1 new TrueType font is now available.", out);
  EXPECT_EQ(39, wsprintfA(out, "Cannot copy the font file '%s'.", "SERIF1.TTF"));
  EXPECT_STREQ("Cannot copy the font file 'SERIF1.TTF'.", out);
  EXPECT_EQ(30, wsprintfA(out, "[%d|%u|%x|%X|%c|%%|%s]", -42, 4294967295u, 255, 255, 'Q', "str"));
  EXPECT_STREQ("[-42|4294967295|ff|FF|Q|%|str]", out);
  EXPECT_EQ(25, wsprintfA(out, "[%5d|%-5d|%05d|%05d]", 7, 7, 7, -42));
  EXPECT_STREQ("[    7|7    |00007|-0042]", out);
  EXPECT_EQ(16, wsprintfA(out, "[%.2s|%5s|%-5s]", "abcdef", "ab", "ab"));
  EXPECT_STREQ("[ab|   ab|ab   ]", out);
  EXPECT_EQ(8, wsprintfA(out, "%ld %lu %lx", static_cast<LONG>(-5), 5u, 0xABCu));
  EXPECT_STREQ("-5 5 abc", out);
  EXPECT_EQ(11, wsprintfA(out, "%d", static_cast<int>(0x80000000u)));
  EXPECT_STREQ("-2147483648", out);
}

TEST(Text, WsprintfStopsAt1023Characters) {
  static char out[4096];
  struct Row {
    size_t length;   // of the %s argument
    size_t written;  // characters before the NUL
  };
  const Row rows[] = {{1000, 1000}, {1022, 1022}, {1023, 1023}, {1024, 1023}, {3000, 1023}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.length);
    std::string text(row.length, 'x');
    memset(out, '#', sizeof out);
    int result = wsprintfA(out, "%s", text.c_str());
    EXPECT_EQ(row.written, strlen(out));
    EXPECT_EQ('#', out[row.written + 1]);  // nothing beyond the NUL
    // The result counts the characters written; a text that reaches the limit gives 1024.
    EXPECT_EQ(row.written < 1023 ? static_cast<int>(row.written) : 1024, result);
  }
}

TEST(Text, MulDivRoundsHalfAwayFromZero) {
  struct Row {
    int number;
    int numerator;
    int denominator;
    int expected;
  };
  const Row rows[] = {
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {5, -1, 2, -3},
      {5, 1, -2, -3},
      {-5, -1, 2, 3},
      {7, 1, 3, 2},
      {8, 1, 3, 3},
      {-7, 1, 3, -2},
      {-8, 1, 3, -3},
      {3, 3, 2, 5},
      {1, 1, -2, -1},
      {-1, 1, -2, 1},
      {-3, 1, 2, -2},
      {0, 5, 7, 0},
      {1, 1, 0, -1},                         // no divisor
      {1000000, 1000000, 1000, 1000000000},  // the product needs 64 bits
      {2147483647, 2, 2, 2147483647},
      {2147483647, 2, 1, -1},  // the result does not fit
      {-2147483647, 1, 1, -2147483647},
      {static_cast<int>(0x80000000u), 1, 1, -1},
      {123456789, 987654321, 1000000007, 121932630},
      {37000, 100, 75000, 49},  // a bar position: 49.33 percent
      {37500, 100, 75000, 50},  // exactly half
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::to_string(row.number) + " * " + std::to_string(row.numerator) + " / " +
                 std::to_string(row.denominator));
    EXPECT_EQ(row.expected, MulDiv(row.number, row.numerator, row.denominator));
  }
}
