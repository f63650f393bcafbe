#include <windows.h>
#include <gtest/gtest.h>

TEST(Smoke, LstrcmpiIgnoresCase) {
  EXPECT_EQ(0, lstrcmpiA("Harbor.TTF", "HARBOR.ttf"));
}
