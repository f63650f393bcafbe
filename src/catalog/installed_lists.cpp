// The listings behind MayHoldFontsKey and MayHoldSystemFile: each listed name sets one bit of a
// bitmap, and a name whose bit is clear matches no listed name.
#include "catalog/installed_lists.h"

#include <windows.h>

#include "catalog/directories.h"
#include "catalog/shared_texts.h"

namespace {

// The bit of a name lies at a hash of its letters in upper case; a set bit (a match, or another
// name that shares it) leaves the name to its lookup. Why a clear bit means "certainly absent":
// - WIN.INI's keys are found without regard to case, after blanks and tabs around them are
//   trimmed; the listing gives them trimmed. Only names of bytes below 0x80 are compared, where
//   case is ASCII case in every code page; a listing holding any other byte is not used, since
//   how such a key compares with a plain name is the system's own affair. A name that begins
//   with ';' is left to its lookup: the listing passes over such lines as comments, the lookup
//   does not.
// - The file system finds a file by its long name or its 8.3 alias, without regard to case; the
//   listing gives both. A name of other characters than letters, digits, '.' and the punctuation
//   a plain file name may hold, or one that names a device (CON.Fot is the console wherever it
//   lies), is left to its lookup, as is every name when the listing holds one of bytes from 0x80
//   on or a '?' (a character the code page cannot show).

constexpr int HashBits = 20;
constexpr DWORD FirstKeyBuffer = 0x8000;
constexpr DWORD LargestKeyBuffer = 0x400000;

unsigned char keyBits[(1 << HashBits) / 8];
unsigned char fileBits[(1 << HashBits) / 8];
int keysListed;
int filesListed;

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

DWORD HashName(const char *name) {
  DWORD hash = 2166136261u;
  for (int i = 0; name[i] != '\0'; i++)
    hash = (hash ^ static_cast<unsigned char>(AsciiUpper(name[i]))) * 16777619u;
  return (hash ^ (hash >> HashBits)) & ((1u << HashBits) - 1);
}

void SetBit(unsigned char *bits, const char *name) {
  DWORD hash = HashName(name);
  bits[hash >> 3] |= static_cast<unsigned char>(1 << (hash & 7));
}

int BitSet(const unsigned char *bits, const char *name) {
  DWORD hash = HashName(name);
  return (bits[hash >> 3] >> (hash & 7)) & 1;
}

void ClearBits(unsigned char *bits) {
  for (int i = 0; i < (1 << HashBits) / 8; i++) bits[i] = 0;
}

int IsAscii(const char *name) {
  for (int i = 0; name[i] != '\0'; i++)
    if (static_cast<unsigned char>(name[i]) >= 0x80) return 0;
  return 1;
}

// WIN.INI's keys, into a buffer that doubles while the listing fills it.
int ListKeys() {
  for (DWORD size = FirstKeyBuffer; size <= LargestKeyBuffer; size *= 2) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == NULL) return 0;
    char *keys = static_cast<char *>(GlobalLock(block));
    if (keys == NULL) {
      GlobalFree(block);
      return 0;
    }
    // A listing that fills the buffer comes back as size - 2 characters, and may be cut.
    DWORD length = GetProfileStringA(FontsSection, NULL, "", keys, size);
    int complete = length < size - 2;
    int usable = complete;
    if (complete) {
      // The keys follow each other, each ending in a NUL, up to the length given: a line whose
      // key is empty once trimmed lists as an empty name among them, so an empty name does not
      // end the listing.
      keys[length] = '\0';
      for (DWORD at = 0; usable && at < length; at += lstrlenA(keys + at) + 1) {
        usable = IsAscii(keys + at);
        SetBit(keyBits, keys + at);
      }
    }
    GlobalUnlock(block);
    GlobalFree(block);
    if (complete) return usable;
  }
  return 0;
}

int ListFiles(const char *systemDirectory) {
  char pattern[PathSize];
  if (!JoinPath(pattern, systemDirectory, "*")) return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int usable = 1;
  do {
    const char *names[] = {found.cFileName, found.cAlternateFileName};
    for (const char *name : names) {
      for (int i = 0; name[i] != '\0'; i++)
        if (static_cast<unsigned char>(name[i]) >= 0x80 || name[i] == '?') usable = 0;
      if (name[0] != '\0') SetBit(fileBits, name);
    }
  } while (usable && FindNextFileA(search, &found));
  if (usable && GetLastError() != ERROR_NO_MORE_FILES) usable = 0;
  FindClose(search);
  return usable;
}

constexpr const char *Devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
constexpr char Punctuation[] = "!#$%&'()-@^_`{}~.";  // besides letters and digits

// Whether the part of a name before its first dot names a device, which the file system finds in
// every directory: CON, PRN, AUX, NUL, CONIN$, CONOUT$, CLOCK$, and COM or LPT with one more
// character.
int NamesDevice(const char *name, int stem) {
  char base[8];
  if (stem > 7) return 0;
  for (int i = 0; i < stem; i++) base[i] = AsciiUpper(name[i]);
  base[stem] = '\0';
  for (const char *device : Devices)
    if (lstrcmpA(base, device) == 0) return 1;
  if (stem == 4 && (base[0] == 'C' || base[0] == 'L')) {
    base[3] = '\0';
    return lstrcmpA(base, "COM") == 0 || lstrcmpA(base, "LPT") == 0;
  }
  return 0;
}

// Whether name is a plain file name whose lookup the listing answers: letters, digits, dots and
// the punctuation of plain names, and no device's name.
int IsListableFileName(const char *name) {
  int stem = -1;
  for (int i = 0; name[i] != '\0'; i++) {
    char c = AsciiUpper(name[i]);
    int plain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    for (int p = 0; !plain && Punctuation[p] != '\0'; p++) plain = c == Punctuation[p];
    if (!plain) return 0;
    if (c == '.' && stem < 0) stem = i;
  }
  return !NamesDevice(name, stem < 0 ? lstrlenA(name) : stem);
}

}  // namespace

void MakeInstalledListings(const char *systemDirectory) {
  keysListed = 0;
  filesListed = 0;
  ClearBits(keyBits);
  ClearBits(fileBits);
  keysListed = ListKeys();
  filesListed = ListFiles(systemDirectory);
}

void DropInstalledListings() {
  keysListed = 0;
  filesListed = 0;
}

int MayHoldFontsKey(const char *fontName) {
  if (!keysListed || fontName[0] == ';' || !IsAscii(fontName)) return 1;
  return BitSet(keyBits, fontName);
}

int MayHoldSystemFile(const char *fileName) {
  if (!filesListed || !IsListableFileName(fileName)) return 1;
  return BitSet(fileBits, fileName);
}
