// The name key's premise in other locales: lstrcmpiA compares as CompareStringA with
// NORM_IGNORECASE in the user's locale, so the premise is checked with the real comparison of
// locales that pair i and I differently, contract letters or expand them.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/name_samples.h"

TEST(NameKeyLocales, TextsEachLocaleCallsEqualShareTheirKey) {
  struct Locale {
    LCID id;
    const char *name;
  };
  const Locale locales[] = {{0x041F, "Turkish"},    {0x042C, "Azeri"},
                            {0x040E, "Hungarian"},  {0x0405, "Czech"},
                            {0x041B, "Slovak"},     {0x0406, "Danish"},
                            {0x0414, "Norwegian"},  {0x041D, "Swedish"},
                            {0x040B, "Finnish"},    {0x0427, "Lithuanian"},
                            {0x041A, "Croatian"},   {0x040A, "Spanish, traditional"},
                            {0x042A, "Vietnamese"}, {0x0452, "Welsh"},
                            {0x0425, "Estonian"},   {0x10407, "German, phone book"},
                            {0x0411, "Japanese"}};
  std::vector<std::string> texts = PremiseTexts();
  for (const Locale &locale : locales) {
    LCID id = locale.id;
    int equalPairs = ExpectEqualTextsShareKeys(
        texts,
        [id](const char *a, const char *b) {
          return CompareStringA(id, NORM_IGNORECASE, a, -1, b, -1) - CSTR_EQUAL;
        },
        locale.name);
    EXPECT_GT(equalPairs, 1000) << locale.name;
  }
}
