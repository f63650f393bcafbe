// The order of ANSI texts that lstrcmpA and lstrcmpiA give, modelled on Windows' linguistic sort
// for code page 1252 as far as the program and its tests can tell.
#pragma once

namespace winsim::detail {

// <0, 0 or >0. With ignoreCase, texts that differ only in letter case are equal.
int CollateAnsi(const char *a, const char *b, bool ignoreCase);

}  // namespace winsim::detail
