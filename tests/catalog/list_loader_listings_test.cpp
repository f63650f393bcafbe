// The loader's listings of WIN.INI's keys and of the system directory against the lookups per
// line they spare: generated lists, with names in other case, bytes from 0x80 on, keys with empty
// values, .Fot files present, and a key listing larger than its first buffer, each loaded both
// ways; the two loads must agree in everything. Under Wine a .Fot found by its 8.3 name alone
// joins them.
#include "catalog/installed_lists.h"

#include <random>

#include "catalog/list_loader.h"
#include "catalog/resource_name.h"
#include "catalog_test_support.h"
#include "name_samples.h"

namespace {

std::string Load(CatalogPlace &place, int perLine) {
  PerLineLookups = perLine;
  std::string outcome = DescribeLoad(place);
  PerLineLookups = 0;
  return outcome;
}

// A .Fot in the system directory under a long name, and the name a list line must have to find
// it by its 8.3 alias alone; empty where the file system gives no alias.
std::string AliasOnlyFileName(Sandbox &sandbox) {
  const std::string longName = sandbox.InSystemDir("QBLISTINGALIAS.Fot");
  sandbox.WillCreateInSystemDir("QBLISTINGALIAS.Fot");
  sandbox.WriteFile(longName, "an earlier resource");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(longName.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  FindClose(search);
  std::string alias = found.cAlternateFileName;
  size_t dot = alias.rfind('.');
  return dot == std::string::npos ? "" : alias.substr(0, dot) + ".TTF";
}

TEST(ListLoaderListings, GeneratedListsLoadAlikeWithAndWithoutThem) {
  std::mt19937 random(1907);
  int installed = 0;
  for (int list = 0; list < 8; list++) {
    SCOPED_TRACE(testing::Message() << "list " << list);
    // A fresh place for each list: what one list leaves in the system directory must not decide
    // whether the next one's listing is used.
    CatalogPlace place;
    Sandbox &sandbox = place.sandbox;
    int lines = std::uniform_int_distribution<int>(10, 40)(random);
    std::vector<std::string> files = SampleNames(random, lines, lines, true);
    std::vector<std::string> fonts = SampleNames(random, lines, lines, false);
    // A name of bytes from 0x80 on, listed or looked up, leaves its listing unused: half the lists
    // keep to ASCII, so that the listings answer there.
    if (list % 2 == 0) {
      for (std::vector<std::string> *names : {&files, &fonts})
        for (std::string &name : *names)
          for (char &c : name)
            if (static_cast<unsigned char>(c) >= 0x80) c = 'x';
    }
    std::string text;
    std::string alias;
    // More keys than the listing's first buffer holds, before the list's own.
    for (int i = 0; list == 0 && i < 2600; i++)
      sandbox.SetFontsKey("Quillbox Filler " + std::to_string(i), "F.Fot");
    for (int i = 0; i < lines; i++) {
      text += files[i] + " " + fonts[i] + "\r\n";
      place.PlaceFont(files[i], i);
      int kind = std::uniform_int_distribution<int>(0, 5)(random);
      char resource[FileNameSize];
      if (kind == 0 && MakeResourceName(files[i].c_str(), resource)) {
        sandbox.WillCreateInSystemDir(resource);
        sandbox.WriteFile(sandbox.InSystemDir(resource), "an earlier resource");
      }
      if (kind == 1) sandbox.SetFontsKey(fonts[i], "INSTALLED.Fot");
      if (kind == 2) sandbox.SetFontsKey(fonts[i], "");
    }
    if (list == 0) {
      alias = AliasOnlyFileName(sandbox);
      if (!alias.empty()) {
        place.PlaceFont(alias, 10);
        text += alias + " Quillbox Alias Only\r\n";
      }
    }
    place.WriteList(text);
    std::string listed = Load(place, 0);
    // The font whose .Fot is there under its 8.3 name alone counts as installed.
    if (!alias.empty()) {
      EXPECT_EQ(std::string::npos, listed.find("Quillbox Alias Only")) << alias;
    }
    installed += foundCount - FontCount;
    EXPECT_EQ(Load(place, 1), listed);
    ReleaseFontList();
  }
  // Installed fonts were among them, found by one lookup or the other.
  EXPECT_GT(installed, 10);
}

}  // namespace
