// Scanners over one line of the list file. A blank is the space alone; every other byte,
// TAB included, is part of a field (a line holding a control byte never gets this far).
#include "catalog/list_loader.h"

#include <windows.h>

int FindSpace(const char *text) {
  for (int i = 0; text[i] != '\0'; i++)
    if (text[i] == ' ') return i;
  return -1;
}

int SkipSpaces(const char *text) {
  for (int i = 0; text[i] != '\0'; i++)
    if (text[i] != ' ') return i;
  return -1;
}

int TrimmedLength(const char *text) {
  int length = lstrlenA(text);
  while (length > 0 && text[length - 1] == ' ') length--;
  return length;
}

int IsPrintableLine(const char *text) {
  // Bytes are taken as signed, so 0x80..0xFF are negative and pass as characters of the
  // ANSI code page.
  for (int i = 0; text[i] != '\0'; i++) {
    signed char byte = static_cast<signed char>(text[i]);
    if (byte >= 0x01 && byte <= 0x1F) return 0;
  }
  return 1;
}
