// A WIN.INI key that begins with ';': the loader accepts such a font name, and the run writes it
// as a key. It must read back as itself, or the font would look new at every start and its line
// would stay behind as clutter. Checked against the real profile under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

namespace {

constexpr char Section[] = "QuillboxSemicolonTest";

struct SectionGuard {
  SectionGuard() { WriteProfileStringA(Section, NULL, NULL); }
  ~SectionGuard() { WriteProfileStringA(Section, NULL, NULL); }
};

std::string Get(const char *key) {
  char value[64] = "#";
  GetProfileStringA(Section, key, "", value, sizeof value);
  return value;
}

TEST(ProfileSemicolon, KeyBeginningWithSemicolonReadsBack) {
  Sandbox sandbox;
  SectionGuard guard;
  ASSERT_TRUE(WriteProfileStringA(Section, ";Semi Key", "SEMI.Fot"));
  ASSERT_TRUE(WriteProfileStringA(Section, "Plain Key", "PLAIN.Fot"));
  EXPECT_EQ("SEMI.Fot", Get(";Semi Key"));
  EXPECT_EQ("SEMI.Fot", Get(";semi key"));
  EXPECT_EQ("", Get("Semi Key"));
  // Written again: the one line is changed, not a second one added.
  ASSERT_TRUE(WriteProfileStringA(Section, ";Semi Key", "OTHER.Fot"));
  EXPECT_EQ("OTHER.Fot", Get(";Semi Key"));
  EXPECT_EQ("PLAIN.Fot", Get("Plain Key"));
}

}  // namespace
