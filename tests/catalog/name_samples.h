// Names for the tests of the name index: pieces where the system's comparison folds, ignores or
// expands characters (ligatures, the soft hyphen, sharp s, thorn, accented letters in both cases,
// i and I), and near-duplicates that differ in one character, put together at random.
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

// count file names that pass the 8.3 rule, or font names, drawn from a pool of poolSize so that the
// same name, in other letter cases, comes again.
std::vector<std::string> SampleNames(std::mt19937 &random, int count, int poolSize, bool fileNames);

// The texts the key's premise is checked on: every ASCII text of one and two characters, and every
// text of three made of the letters that locales contract or double ("ch", "cs", "ccs", "dzs",
// "ly", "nj", "aa") and of the characters a comparison may ignore.
std::vector<std::string> PremiseTexts();
// Sorts the texts by the comparison (<0, 0, >0), which puts equal ones side by side, and expects
// every two neighbours it calls equal to have the same key. Returns the number of equal pairs.
int ExpectEqualTextsShareKeys(std::vector<std::string> texts,
                              const std::function<int(const char *, const char *)> &compare,
                              const std::string &context);
// The name as C source, with every byte outside printable ASCII escaped.
std::string Printable(const std::string &name);
