// Every case of the fuzz corpus, replayed: the worked example of the list file and its variants
// that the corpus began with, and each case the fuzzer kept because it reached new code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "road_case.h"

namespace {

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  for (const auto &entry : std::filesystem::directory_iterator(QB_FUZZ_CORPUS)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzReplay, EveryCorpusCaseKeepsEveryProperty) {
  std::vector<std::string> files = CorpusFiles();
  ASSERT_GE(files.size(), 10u) << "the seed corpus is missing";
  for (const std::string &file : files) {
    SCOPED_TRACE(file);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string data = bytes.str();
    EXPECT_EQ("", CheckRoadCase(reinterpret_cast<const uint8_t *>(data.data()), data.size()));
  }
}

}  // namespace
