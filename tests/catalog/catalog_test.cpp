// The catalog where the roads do not reach: the name index's premise in the system's own
// comparison, and files too large to measure.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "catalog/file_ops.h"
#include "catalog/name_index.h"
#include "common/sandbox.h"

namespace {

// Every ASCII text of one and two characters, and every text of three of the letters that locales
// contract or double ("ch", "cs", "ccs", "dzs", "ly", "nj", "aa") and of characters a comparison
// may ignore: those a comparison calls equal must share their key, or a lookup misses a repeat.
TEST(NameKey, TextsTheComparisonCallsEqualShareTheirKey) {
  std::vector<std::string> texts;
  std::function<void(const std::string &, size_t, const std::string &)> add;
  add = [&](const std::string &alphabet, size_t length, const std::string &prefix) {
    if (prefix.size() == length) return texts.push_back(prefix);
    for (char c : alphabet) add(alphabet, length, prefix + c);
  };
  std::string ascii;
  for (int c = 1; c < 0x80; c++) ascii += static_cast<char>(c);
  add(ascii, 1, "");
  add(ascii, 2, "");
  add("cCsSzZdDhHlLyYnNjJgGtTaA-' ", 3, "");
  // The user's locale (lstrcmpiA's), and locales that pair i and I otherwise or contract letters.
  for (LCID locale :
       std::vector<LCID>{LOCALE_USER_DEFAULT, 0x041F, 0x040E, 0x0405, 0x0406, 0x10407}) {
    auto compare = [&](const std::string &a, const std::string &b) {
      return CompareStringA(locale, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) - CSTR_EQUAL;
    };
    std::vector<std::string> sorted = texts;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const std::string &a, const std::string &b) { return compare(a, b) < 0; });
    int equalPairs = 0;
    for (size_t i = 1; i < sorted.size(); i++) {
      if (compare(sorted[i - 1], sorted[i]) != 0) continue;
      unsigned one = 0, other = 0;
      NameKeyOf(sorted[i - 1].c_str(), &one);
      NameKeyOf(sorted[i].c_str(), &other);
      EXPECT_EQ(one, other) << std::hex << locale << ": " << sorted[i - 1] << " = " << sorted[i];
      equalPairs++;
    }
    EXPECT_GT(equalPairs, 1000) << std::hex << locale;
  }
}

// Sizes are kept in 32 bits: a file of 2 GiB or more counts as one that cannot be opened. The
// files are sparse, so that they cost no disk.
TEST(GetFileLength, FromTwoGibibytesOnAFileCannotBeMeasured) {
  Sandbox box;
  const std::string path = box.program + "LARGE.TTF";
  for (LONGLONG size : {0x7FFFFFFFLL, 0x80000000LL, 0xFFFFFFFFLL}) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    LARGE_INTEGER end;
    end.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(file, end, NULL, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_EQ(size < 0x80000000LL ? 0x7FFFFFFF : -1, GetFileLength(path.c_str())) << size;
  }
}

}  // namespace
