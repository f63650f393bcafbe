// winsim's font faults and font table: failed resource creation and addition, a chosen count,
// and the number of fonts in a collection.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

std::string BigEndian32(unsigned long value) {
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

// A collection of `count` copies of one font, after the header and its table of offsets.
std::string Collection(const std::string &font, unsigned long count) {
  std::string bytes = "ttcf" + BigEndian32(0x00010000) + BigEndian32(count);
  unsigned long start = 12 + 4 * count;
  for (unsigned long i = 0; i < count; i++) bytes += BigEndian32(start);
  return bytes + font;
}

}  // namespace

TEST(FontsHost, FailedCreationLeavesNoResource) {
  Sandbox sandbox;
  std::string font = sandbox.InSystemDir("SERIF1.TTF");
  sandbox.WriteFile(font, Sandbox::RealFont(0));
  winsim::FailCreateScalableFontResource(2, winsim::Times::Once);
  std::string first = sandbox.InSystemDir("FIRST.Fot");
  std::string second = sandbox.InSystemDir("SECOND.Fot");
  std::string third = sandbox.InSystemDir("THIRD.Fot");
  EXPECT_TRUE(CreateScalableFontResourceA(0, first.c_str(), font.c_str(), NULL));
  EXPECT_FALSE(CreateScalableFontResourceA(0, second.c_str(), font.c_str(), NULL));
  EXPECT_FALSE(sandbox.Exists(second));
  EXPECT_TRUE(CreateScalableFontResourceA(0, third.c_str(), font.c_str(), NULL));
  EXPECT_NE(std::string::npos, sandbox.ReadFile(third).find(font));  // it names the font file
}

TEST(FontsHost, AddFailsOrCountsAsTold) {
  Sandbox sandbox;
  std::string font = sandbox.InSystemDir("SERIF1.TTF");
  std::string resource = sandbox.InSystemDir("SERIF1.Fot");
  sandbox.WriteFile(font, Sandbox::RealFont(3));
  ASSERT_TRUE(CreateScalableFontResourceA(0, resource.c_str(), font.c_str(), NULL));
  winsim::FailAddFontResource(1, winsim::Times::Once);
  EXPECT_EQ(0, AddFontResourceA(resource.c_str()));
  EXPECT_TRUE(winsim::FontResources().empty());
  EXPECT_EQ(1, AddFontResourceA(resource.c_str()));
  winsim::SetAddFontResourceResult(2);
  EXPECT_EQ(2, AddFontResourceA(sandbox.InSystemDir("serif1.fot").c_str()));
  EXPECT_EQ(2u, winsim::FontResources().size());
  EXPECT_EQ(resource, winsim::FontResources()[0]);
  EXPECT_TRUE(RemoveFontResourceA(resource.c_str()));
  EXPECT_TRUE(RemoveFontResourceA(resource.c_str()));
  EXPECT_FALSE(RemoveFontResourceA(resource.c_str()));
  EXPECT_TRUE(winsim::FontResources().empty());
}

TEST(FontsHost, CollectionAddsEachOfItsFonts) {
  Sandbox sandbox;
  std::string font = Sandbox::RealFont(4);
  struct Row {
    const char *name;
    std::string bytes;
    int fonts;
  };
  const Row rows[] = {
      {"ONE.TTC", Collection(font, 1), 1},
      {"THREE.TTC", Collection(font, 3), 3},
      {"NONE.TTC", Collection(font, 0), 0},
      {"CUT.TTC", Collection(font, 3).substr(0, 20), 0},  // the offsets run past the end
      {"TRUE.TTF", "true" + font.substr(4), 1},           // the older signature
      {"OTTO.TTF", "OTTO" + font.substr(4), 0},           // not TrueType outlines
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    std::string path = sandbox.InSystemDir(row.name);
    sandbox.WriteFile(path, row.bytes);
    EXPECT_EQ(row.fonts, AddFontResourceA(path.c_str()));
    std::string resource = path.substr(0, path.size() - 3) + "Fot";
    EXPECT_EQ(row.fonts > 0,
              CreateScalableFontResourceA(0, resource.c_str(), path.c_str(), NULL) != 0);
    if (row.fonts > 0) {
      EXPECT_EQ(row.fonts, AddFontResourceA(resource.c_str()));
    }
  }
}
