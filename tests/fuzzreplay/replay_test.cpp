// Every case of the fuzz corpus, replayed: the worked example of the list file and its variants
// that the corpus began with, and each case the fuzzer kept because it reached new code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "check/list_check.h"
#include "road_world.h"
#include "shell/globals.h"

namespace {

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  for (const auto &entry : std::filesystem::directory_iterator(QB_FUZZ_CORPUS)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadCase(const std::string &file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> reported;
void Report(const char *line) {
  reported.push_back(line);
}

TEST(FuzzReplay, EveryCorpusCaseKeepsEveryProperty) {
  std::vector<std::string> files = CorpusFiles();
  ASSERT_GE(files.size(), 10u) << "the seed corpus is missing";
  for (const std::string &file : files) {
    SCOPED_TRACE(file);
    std::string data = ReadCase(file);
    EXPECT_EQ("", CheckRoadCase(reinterpret_cast<const uint8_t *>(data.data()), data.size()));
  }
}

// QuillboxCheck and the loader on every corpus list, laid out without its fault and choices: the
// lines told offered (or refused as no font, which the loader offers too) are the loader's
// records in order, and the lines that passed the uniqueness tests number foundCount.
TEST(FuzzReplay, TheCheckerTellsWhatTheLoaderDoes) {
  for (const std::string &file : CorpusFiles()) {
    SCOPED_TRACE(file);
    std::string data = ReadCase(file);
    RoadWorld world;
    world.input = DecodeRoadInput(reinterpret_cast<const uint8_t *>(data.data()), data.size());
    world.lines = SplitListLines(world.input.list);
    std::unique_ptr<winsim::Machine> machine = LayOutMachine(world);
    hInst = winsim::ModuleHandle();
    reported.clear();
    int checked = CheckListFile(world.programDir.c_str(), Report, Report);
    std::vector<size_t> offered;  // line numbers, from 1
    int found = 0;
    for (const std::string &line : reported) {
      size_t colon = line.find(": ");
      if (colon == std::string::npos || line.find(" lines: ") != std::string::npos) continue;
      std::string fate = line.substr(colon + 2);
      bool record = fate == "offered" || fate == "not a font file";
      if (record) offered.push_back(std::stoul(line.substr(0, colon)));
      found += record || fate == "already installed" || fate == "no memory";
    }
    int loaded = LoadFontList();
    // A list the checker cannot read is one the loader refuses.
    if (checked == CheckListUnreadable) {
      EXPECT_EQ(0, loaded);
      EXPECT_EQ(1u, reported.size());
      continue;
    }
    EXPECT_EQ(found, foundCount);
    ASSERT_EQ(offered.size(), static_cast<size_t>(FontCount));
    const FontItem *items =
        FontCount > 0 ? static_cast<const FontItem *>(GlobalLock(FontList)) : nullptr;
    for (size_t i = 0; i < offered.size(); i++) {
      // The record's file name opens its line, after the blanks before it.
      std::string text = world.lines[offered[i] - 1].raw;
      text = text.substr(text.find_first_not_of(' '));
      EXPECT_EQ(0u, text.find(items[i].fileName)) << "line " << offered[i] << ": " << text;
    }
    if (items != nullptr) GlobalUnlock(FontList);
    ReleaseFontList();
  }
}

}  // namespace
