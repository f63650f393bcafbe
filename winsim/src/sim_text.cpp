// Upper-casing in code page 1252: a-z, the Latin-1 small letters 0xE0-0xFE (but not the
// division sign 0xF7), and the four letters whose capitals lie in 0x80-0x9F. The sharp s (0xDF)
// and the micro sign (0xB5) have no capital in the code page and stay as they are.
#include "sim_text.h"

namespace winsim::detail {

unsigned char UpperCase(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A:  // s with caron
      return 0x8A;
    case 0x9C:  // oe ligature
      return 0x8C;
    case 0x9E:  // z with caron
      return 0x8E;
    case 0xFF:  // y with diaeresis
      return 0x9F;
    default:
      return c;
  }
}

int CompareIgnoringCase(const char *a, const char *b) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(a);
  const unsigned char *q = reinterpret_cast<const unsigned char *>(b);
  while (*p != 0 && UpperCase(*p) == UpperCase(*q)) {
    p++;
    q++;
  }
  return static_cast<int>(UpperCase(*p)) - static_cast<int>(UpperCase(*q));
}

bool EqualIgnoringCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() && CompareIgnoringCase(a.c_str(), b.c_str()) == 0;
}

}  // namespace winsim::detail
