// wsprintfA: the conversions %s %d %i %u %x %X %c and %%, with the flags "-" and "0", a width,
// a precision for %s, and the size prefixes l and h (LONG is 32 bits, as on Windows). The output
// stops at 1023 characters; a text that reaches that length makes the result 1024, which is what
// Wine reports (Windows documents only the 1024-byte limit).
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <string>

#include "sim_state.h"

namespace {

constexpr size_t OutputLimit = 1024;

struct Conversion {
  bool left = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
};

std::string Pad(std::string text, const Conversion &conversion, bool numeric) {
  if (static_cast<int>(text.size()) >= conversion.width) return text;
  size_t fill = static_cast<size_t>(conversion.width) - text.size();
  if (conversion.left) return text + std::string(fill, ' ');
  if (conversion.zero && numeric) {
    size_t sign = (!text.empty() && text[0] == '-') ? 1 : 0;
    return text.insert(sign, std::string(fill, '0'));
  }
  return std::string(fill, ' ') + text;
}

std::string Unsigned(unsigned long long value, unsigned base, bool upper) {
  const char *digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value % base]);
    value /= base;
  } while (value != 0);
  return text;
}

}  // namespace

int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
  va_list args;
  va_start(args, lpFmt);
  std::string out;
  for (const char *p = lpFmt; *p != 0; p++) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    p++;
    if (*p == '%') {
      out += '%';
      continue;
    }
    Conversion conversion;
    for (; *p == '-' || *p == '0'; p++) (*p == '-' ? conversion.left : conversion.zero) = true;
    for (; *p >= '0' && *p <= '9'; p++) conversion.width = conversion.width * 10 + (*p - '0');
    if (*p == '.') {
      conversion.precision = 0;
      for (p++; *p >= '0' && *p <= '9'; p++)
        conversion.precision = conversion.precision * 10 + (*p - '0');
    }
    bool isShort = false;
    if (*p == 'l') {
      p++;
    } else if (*p == 'h') {
      isShort = true;
      p++;
    }
    if (conversion.precision >= 0 && *p != 's') {
      winsim::detail::Unsupported("wsprintfA with a precision for a number");
    }
    switch (*p) {
      case 'd':
      case 'i': {
        long long value = va_arg(args, int);
        if (isShort) value = static_cast<short>(value);
        out += Pad(value < 0 ? "-" + Unsigned(static_cast<unsigned long long>(-value), 10, false)
                             : Unsigned(static_cast<unsigned long long>(value), 10, false),
                   conversion, true);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        unsigned value = va_arg(args, unsigned);
        if (isShort) value = static_cast<unsigned short>(value);
        out += Pad(Unsigned(value, *p == 'u' ? 10 : 16, *p == 'X'), conversion, true);
        break;
      }
      case 'c':
        out += Pad(std::string(1, static_cast<char>(va_arg(args, int))), conversion, false);
        break;
      case 's': {
        const char *text = va_arg(args, const char *);
        std::string value = text != nullptr ? text : "(null)";
        if (conversion.precision >= 0 && value.size() > static_cast<size_t>(conversion.precision)) {
          value.resize(static_cast<size_t>(conversion.precision));
        }
        out += Pad(value, conversion, false);
        break;
      }
      default:
        winsim::detail::Unsupported("wsprintfA with a conversion other than s, d, i, u, x, X, c");
    }
  }
  va_end(args);
  if (out.size() >= OutputLimit - 1) {
    std::memcpy(lpOut, out.data(), OutputLimit - 1);
    lpOut[OutputLimit - 1] = 0;
    return static_cast<int>(OutputLimit);
  }
  std::memcpy(lpOut, out.c_str(), out.size() + 1);
  return static_cast<int>(out.size());
}
