// A model of Windows' linguistic sort (CompareStringA) for code page 1252, compared level by
// level as Windows does:
//   1. letters by their base letter (accents and case ignored; the sharp s, ae and oe count as
//      two letters), after digits, after blanks, punctuation and symbols (those by byte value);
//      the hyphen, the apostrophe and the soft hyphen are ignored at this level;
//   2. accents, position by position;
//   3. letter case, the small letter first (lstrcmpA only);
//   4. the ignored characters: a text that has them sorts after one that has not.
// Checked under Wine for the cases in the platform tests. It differs from the real sort in the
// order among punctuation and symbols, and in the weights of rare letters (eth, thorn, the
// ordinal indicators), which the real tables place where this model cannot know.
#include "sim_collate.h"

#include <string>

#include "sim_text.h"

namespace winsim::detail {
namespace {

struct Weights {
  std::string primary;    // one or two bytes per character that counts at level 1
  std::string accents;    // one byte per primary byte: 0, or the accented letter in upper case
  std::string cases;      // one byte per primary byte: 0 small, 1 capital
  std::string ignorable;  // the characters skipped at level 1
};

// Base letters of the accented letters 0xC0-0xFF (upper-cased first); '\0' for the multiplication
// and division signs, which are symbols; 'E' for the two expansions handled separately.
constexpr char LatinBase[32] = {'A', 'A', 'A', 'A', 'A', 'A', 'E', 'C', 'E', 'E', 'E',
                                'E', 'I', 'I', 'I', 'I', 'D', 'N', 'O', 'O', 'O', 'O',
                                'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   'S'};

bool IsIgnorable(unsigned char c) {
  return c == '-' || c == '\'' || c == 0xAD;
}

// A capital letter: one that a small letter upper-cases to.
bool IsCapital(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return true;
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F;
}

// The base letter of a character, or 0 when it is no letter.
char BaseLetter(unsigned char c) {
  unsigned char upper = UpperCase(c);
  if (upper >= 'A' && upper <= 'Z') return static_cast<char>(upper);
  // The table covers the capitals 0xC0 to 0xDF; the division sign (0xF7) has no capital and is
  // no letter.
  if (upper >= 0xC0 && upper <= 0xDF && upper != 0xC6 && upper != 0xDF)
    return LatinBase[upper - 0xC0];
  switch (upper) {
    case 0x8A:  // S with caron
      return 'S';
    case 0x8E:  // Z with caron
      return 'Z';
    case 0x9F:  // Y with diaeresis
      return 'Y';
    case 0x83:  // f with hook
      return 'F';
    default:
      return 0;
  }
}

// Each character that counts at level 1 adds two bytes: its group (1 symbols, 2 digits,
// 3 letters) and its value within the group; the other levels add two bytes to match.
void AddPrimary(Weights &w, char group, char value, unsigned char accent, bool capital) {
  w.primary += group;
  w.primary += value;
  w.accents += static_cast<char>(accent);
  w.accents += '\0';
  w.cases += capital ? '\1' : '\0';
  w.cases += '\0';
}

Weights WeightsOf(const char *text) {
  Weights w;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p != 0; p++) {
    unsigned char c = *p;
    unsigned char upper = UpperCase(c);
    bool capital = IsCapital(c);
    if (IsIgnorable(c)) {
      w.ignorable += static_cast<char>(c);
    } else if (c == 0xDF) {  // sharp s: "ss"
      AddPrimary(w, 3, 'S', 0, false);
      AddPrimary(w, 3, 'S', 0, false);
    } else if (upper == 0xC6 || upper == 0x8C) {  // ae, oe
      AddPrimary(w, 3, upper == 0xC6 ? 'A' : 'O', 0, capital);
      AddPrimary(w, 3, 'E', 0, capital);
    } else if (c >= '0' && c <= '9') {
      AddPrimary(w, 2, static_cast<char>(c), 0, false);
    } else if (char base = BaseLetter(c)) {
      AddPrimary(w, 3, base, upper == static_cast<unsigned char>(base) ? 0 : upper, capital);
    } else {
      AddPrimary(w, 1, static_cast<char>(c), 0, false);
    }
  }
  return w;
}

int Compare(const std::string &a, const std::string &b) {
  int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

int CollateAnsi(const char *a, const char *b, bool ignoreCase) {
  Weights x = WeightsOf(a);
  Weights y = WeightsOf(b);
  if (int order = Compare(x.primary, y.primary)) return order;
  if (int order = Compare(x.accents, y.accents)) return order;
  if (!ignoreCase) {
    if (int order = Compare(x.cases, y.cases)) return order;
  }
  return Compare(x.ignorable, y.ignorable);
}

}  // namespace winsim::detail
