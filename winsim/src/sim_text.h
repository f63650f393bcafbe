// Letter case in the ANSI code page 1252, shared by CharUpperA, lstrcmpiA, the profile and the
// file name lookup, so that every part of winsim ignores case the same way.
#pragma once

#include <string>

namespace winsim::detail {

unsigned char UpperCase(unsigned char c);
// Compares two texts after upper-casing each byte: <0, 0 or >0 in byte order.
int CompareIgnoringCase(const char *a, const char *b);
bool EqualIgnoringCase(const std::string &a, const std::string &b);

}  // namespace winsim::detail
