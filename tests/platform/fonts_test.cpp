// Scalable font resources on real TrueType files: created once, refused when the resource exists
// or the file is no font, and added to the font table with one font each.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

TEST(Fonts, ResourceForARealFontIsCreatedOnceAndAdded) {
  Sandbox sandbox;
  sandbox.WillCreateInSystemDir("QBTEST1.TTF");
  sandbox.WillCreateInSystemDir("QBTEST1.Fot");
  std::string font = sandbox.InSystemDir("QBTEST1.TTF");
  std::string resource = sandbox.InSystemDir("QBTEST1.Fot");
  sandbox.WriteFile(font, Sandbox::RealFont(0));

  ASSERT_TRUE(CreateScalableFontResourceA(0, resource.c_str(), font.c_str(), NULL));
  std::string bytes = sandbox.ReadFile(resource);
  EXPECT_FALSE(bytes.empty());
  EXPECT_FALSE(CreateScalableFontResourceA(0, resource.c_str(), font.c_str(), NULL));
  EXPECT_EQ(bytes, sandbox.ReadFile(resource));  // the existing resource is not touched
  EXPECT_EQ(1, AddFontResourceA(resource.c_str()));
}

TEST(Fonts, FilesThatAreNoFontsGiveNoResource) {
  Sandbox sandbox;
  struct Row {
    const char *name;
    std::string bytes;  // "-": no file at all
  };
  const Row rows[] = {
      {"QBEMPTY", ""},
      {"QBTEXT", "This is not a font, only text."},
      {"QBCUT", Sandbox::RealFont(1).substr(0, 4)},  // the signature alone
      {"QBNONE", "-"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    std::string font = sandbox.InSystemDir(std::string(row.name) + ".TTF");
    std::string resource = sandbox.InSystemDir(std::string(row.name) + ".Fot");
    sandbox.WillCreateInSystemDir(std::string(row.name) + ".TTF");
    sandbox.WillCreateInSystemDir(std::string(row.name) + ".Fot");
    if (row.bytes != "-") sandbox.WriteFile(font, row.bytes);
    EXPECT_FALSE(CreateScalableFontResourceA(0, resource.c_str(), font.c_str(), NULL));
    EXPECT_FALSE(sandbox.Exists(resource));
    EXPECT_EQ(0, AddFontResourceA(font.c_str()));
  }
}
