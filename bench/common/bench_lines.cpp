// Builds the shortest valid list lines. A line costs its file name, its font name and three bytes
// (the blank and CR LF); names of one character come first, then two, then three, so that the
// first n lines are always the n shortest and a longer list extends a shorter one.
#include "bench_lines.h"

namespace {

constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int AlphabetSize = 36;

// Device names parse to \\.\NAME, so the loader rejects them as file names.
bool IsDeviceName(const std::string &name) {
  return name == "CON" || name == "NUL" || name == "AUX" || name == "PRN";
}

// Every name of 1, 2, 3, ... characters in order until `count` are found.
std::vector<std::string> ShortestNames(size_t count, bool fileNames) {
  std::vector<std::string> names;
  for (int length = 1; names.size() < count; length++) {
    std::string name(length, Alphabet[0]);
    std::vector<int> digits(length, 0);
    while (names.size() < count) {
      for (int i = 0; i < length; i++) name[i] = Alphabet[digits[i]];
      if (!fileNames || !IsDeviceName(name)) names.push_back(name);
      int position = length - 1;
      while (position >= 0 && ++digits[position] == AlphabetSize) digits[position--] = 0;
      if (position < 0) break;
    }
  }
  return names;
}

std::vector<BenchLine> Pair(const std::vector<std::string> &files,
                            const std::vector<std::string> &fonts, size_t count) {
  std::vector<BenchLine> lines;
  for (size_t i = 0; i < count; i++) lines.push_back({files[i], fonts[i]});
  return lines;
}

}  // namespace

std::vector<BenchLine> ShortestLines(int count) {
  if (count != LargestList) {
    return Pair(ShortestNames(count, true), ShortestNames(count, false), count);
  }
  // 8,000 names of each kind are more than 65,000 bytes can hold.
  std::vector<std::string> files = ShortestNames(8000, true);
  std::vector<std::string> fonts = ShortestNames(8000, false);
  size_t lines = 0;
  size_t bytes = 0;
  while (bytes + files[lines].size() + fonts[lines].size() + 3 <= LargestListBytes) {
    bytes += files[lines].size() + fonts[lines].size() + 3;
    lines++;
  }
  std::vector<BenchLine> result = Pair(files, fonts, lines);
  // Fill the last bytes by lengthening the last font names by one character each; the longest
  // names so far have three characters, so a name of four stays unique.
  for (size_t i = lines; bytes < LargestListBytes; bytes++) result[--i].fontName += 'X';
  return result;
}

std::string ListText(const std::vector<BenchLine> &lines) {
  std::string text;
  for (const BenchLine &line : lines) text += line.fileName + " " + line.fontName + "\r\n";
  return text;
}

std::string ResourceNameOf(const std::string &fileName) {
  return fileName + ".Fot";
}
