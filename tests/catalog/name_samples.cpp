// Sample names for the name index tests, built from pieces that the system's comparison treats
// specially in code page 1252 and from their plain spellings; and the check of the key's premise.
#include "name_samples.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "catalog/name_index.h"

namespace {

// Pieces separated by '|': ligatures, the soft hyphen, sharp s, thorn, accented letters in both
// cases, i and I, characters a comparison ignores or expands, and their plain spellings.
const char FontPieces[] =
    "Harbor|Sans|Bold|ae|\xE6|\xC6|oe|\x9C|\x8C|ss|\xDF|th|\xFE|\xDE|-|'|\xAD| |i|I|\xFD|\xDD|1|l|"
    "0|O|caf\xE9|cafe|\xAA|a|\x85|...|\x99|TM|\xB2|2|\xBC|1/4|\x7F|ch|cs|ccs|cscs|\xA0|\x81|x";
const char FileBases[] =
    "HARBOR|H\xC6|HAE|\xDF|SS|A\xAD"
    "B|AB|\xDEORN|THORN|I|CAF\xC9|CAFE|A-B|A'B|OE|\x8C|HARBOUR";
const char FileExtensions[] = ".TTF|.T|.TT\xC9|.TTE";

std::string Pick(const char *pieces, std::mt19937 &random) {
  std::vector<std::string> parts;
  std::istringstream in(pieces);
  for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
  return parts[std::uniform_int_distribution<size_t>(0, parts.size() - 1)(random)];
}

// The same text with each letter (ASCII, and the accented letters of code page 1252, which lie
// 0x20 apart but for the multiplication and division signs) in a random case.
std::string RandomCase(std::string text, std::mt19937 &random) {
  for (char &c : text) {
    unsigned char u = (unsigned char)c;
    if (!std::bernoulli_distribution(0.5)(random)) continue;
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = (char)(u - 32);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = (char)(u + 32);
  }
  return text;
}

// A font name of one to three pieces; or a file name that passes the 8.3 rule, half of whose
// bases get one more character, which makes near-duplicates of the plain ones.
std::string SampleName(std::mt19937 &random, bool fileName) {
  std::string name;
  if (fileName) {
    name = Pick(FileBases, random);
    if (name.size() < 8 && std::bernoulli_distribution(0.5)(random))
      name += "0123456789\xE9Z"[std::uniform_int_distribution<int>(0, 11)(random)];
    name += Pick(FileExtensions, random);
  } else {
    for (int i = std::uniform_int_distribution<int>(1, 3)(random); i > 0; i--)
      name += Pick(FontPieces, random);
  }
  return RandomCase(name, random);
}

void AddTexts(const std::string &alphabet, size_t length, const std::string &prefix,
              std::vector<std::string> *texts) {
  if (prefix.size() == length) {
    texts->push_back(prefix);
    return;
  }
  for (char c : alphabet) AddTexts(alphabet, length, prefix + c, texts);
}

}  // namespace

std::vector<std::string> SampleNames(std::mt19937 &random, int count, int poolSize,
                                     bool fileNames) {
  std::vector<std::string> pool;
  for (int i = 0; i < poolSize; i++) pool.push_back(SampleName(random, fileNames));
  std::vector<std::string> names;
  for (int i = 0; i < count; i++) {
    const std::string &name = pool[std::uniform_int_distribution<int>(0, poolSize - 1)(random)];
    names.push_back(RandomCase(name, random));
  }
  return names;
}

std::vector<std::string> PremiseTexts() {
  std::string ascii;
  for (int c = 1; c < 0x80; c++) ascii += (char)c;
  std::vector<std::string> texts;
  AddTexts(ascii, 1, "", &texts);
  AddTexts(ascii, 2, "", &texts);
  AddTexts("cCsSzZdDhHlLyYnNjJgGtTaA-' ", 3, "", &texts);
  return texts;
}

int ExpectEqualTextsShareKeys(std::vector<std::string> texts,
                              const std::function<int(const char *, const char *)> &compare,
                              const std::string &context) {
  std::stable_sort(texts.begin(), texts.end(), [&](const std::string &a, const std::string &b) {
    return compare(a.c_str(), b.c_str()) < 0;
  });
  int equalPairs = 0;
  for (size_t i = 1; i < texts.size(); i++) {
    if (compare(texts[i - 1].c_str(), texts[i].c_str()) != 0) continue;
    equalPairs++;
    unsigned first = 0, second = 0;
    bool keyed = NameKeyOf(texts[i - 1].c_str(), &first) && NameKeyOf(texts[i].c_str(), &second);
    EXPECT_TRUE(keyed && first == second) << context << ": " << Printable(texts[i - 1]) << " and "
                                          << Printable(texts[i]) << " are equal";
    if (!keyed || first != second) break;  // a wrong key would be told for thousands of pairs
  }
  return equalPairs;
}

std::string Printable(const std::string &name) {
  std::string text;
  for (unsigned char c : name) {
    char piece[8];
    wsprintfA(piece, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    text += piece;
  }
  return "\"" + text + "\"";
}
