// The name index: for each record and each of its two names a key, and chains that link the
// records whose keys fall in the same bucket, in table order.
#include "catalog/name_index.h"

namespace {

constexpr int BucketCount = 4096;  // a power of two, about a third of the most records

// Record numbers in the chains are index + 1, so that 0 ends a chain and the zero-filled arrays
// of a program that has not indexed anything yet are empty chains.
struct NameChains {
  unsigned key[IndexedRecordLimit];  // each record's key
  int next[IndexedRecordLimit];      // the next record of the same chain, or 0
  int first[BucketCount];            // the first and last record of each bucket's chain
  int last[BucketCount];
  int firstKeyless;  // the chain of records whose name has no key
  int lastKeyless;
};

NameChains chains[2];  // file names, font names
HGLOBAL indexedBlock;
int indexedCount;  // records noted; -1 when out of step with the table

int Bucket(unsigned key) {
  return static_cast<int>((key * 2654435761u) >> 20) & (BucketCount - 1);
}

void Append(int *first, int *last, int *next, int number) {
  if (*last == 0)
    *first = number;
  else
    next[*last - 1] = number;
  *last = number;
}

void NoteName(NameChains *chain, int index, const char *name) {
  int number = index + 1;
  chain->next[index] = 0;
  unsigned key;
  if (NameKeyOf(name, &key)) {
    chain->key[index] = key;
    int bucket = Bucket(key);
    Append(&chain->first[bucket], &chain->last[bucket], chain->next, number);
  } else {
    chain->key[index] = 0;
    Append(&chain->firstKeyless, &chain->lastKeyless, chain->next, number);
  }
}

const char *NameOf(const FontItem &item, int kind) {
  return kind == FileNameKind ? item.fileName : item.fontName;
}

}  // namespace

// The key of a name is the set of ASCII letters (either case counting as one) and digits that
// occur in it; every other byte is left out of it. Only names whose bytes all lie below 0x80 get
// a key. Why two names that lstrcmpiA calls equal always have the same key:
// - Bytes below 0x80 are the same ASCII characters in every ANSI code page, double-byte ones
//   included (a lead byte is 0x81 or above, so a name without one holds no double-byte character).
// - What the system's comparison may ignore or treat specially (blanks, hyphens, apostrophes,
//   control characters, any punctuation) never enters the key, so whether it is ignored does not
//   matter.
// - Letter case is folded the ASCII way, which joins more than a locale may (in Turkish, i and I
//   are not a pair); joining more only keeps a record among those asked, never rules it out.
// - Letters that a locale sorts as one unit (Czech "ch", Hungarian "cs" and its doubled form
//   "ccs", which equals "cscs") change how often a letter counts, never which letters occur:
//   hence a set, not a sequence.
// - This leaves one assumption: that no locale calls two different ASCII letters or digits equal.
//   The catalog tests check it against the system's comparison for all ASCII texts of one and two
//   characters and for combinations of the letters that locales contract.
// Names with a byte of 0x80 or above may equal ASCII names in ways no key can follow (the ligature
// 0xE6 equals "ae", the soft hyphen 0xAD is ignored, 0xDF equals "ss"), so they get no key: a
// lookup of such a name scans every record, and records with such names are asked by every
// lookup. The lowest index among the records asked that lstrcmpiA calls equal wins, as in a scan.
int NameKeyOf(const char *name, unsigned *key) {
  // Bits 0 to 25 for the letters, 26 to 31 and (folded onto 0 to 3) 32 to 35 for the digits:
  // folding only makes more keys alike.
  unsigned long long letters = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p != 0; p++) {
    unsigned char c = *p;
    if (c >= 0x80) return 0;
    if (c >= 'a' && c <= 'z') letters |= 1ull << (c - 'a');
    if (c >= 'A' && c <= 'Z') letters |= 1ull << (c - 'A');
    if (c >= '0' && c <= '9') letters |= 1ull << (26 + c - '0');
  }
  *key = static_cast<unsigned>(letters) ^ static_cast<unsigned>(letters >> 32);
  return 1;
}

void ClearNameIndex() {
  for (NameChains &chain : chains) {
    for (int bucket = 0; bucket < BucketCount; bucket++) {
      chain.first[bucket] = 0;
      chain.last[bucket] = 0;
    }
    chain.firstKeyless = 0;
    chain.lastKeyless = 0;
  }
  indexedBlock = NULL;
  indexedCount = 0;
}

void NoteIndexedRecord(HGLOBAL block, int index, const char *fileName, const char *fontName) {
  if (indexedCount < 0) return;
  if (index != indexedCount || index >= IndexedRecordLimit) {
    indexedCount = -1;
    return;
  }
  NoteName(&chains[FileNameKind], index, fileName);
  NoteName(&chains[FontNameKind], index, fontName);
  indexedBlock = block;
  indexedCount = index + 1;
}

int IndexCoversTable(HGLOBAL block, int count) {
  return count > 0 && indexedCount == count && indexedBlock == block;
}

int FindInNameIndex(const FontItem *items, int count, int kind, const char *name) {
  unsigned key;
  if (!NameKeyOf(name, &key)) return -1;
  const NameChains &chain = chains[kind];
  int found = count;
  for (int number = chain.first[Bucket(key)]; number != 0; number = chain.next[number - 1]) {
    int index = number - 1;
    if (index >= count) break;
    if (chain.key[index] == key && lstrcmpiA(NameOf(items[index], kind), name) == 0) {
      found = index;
      break;
    }
  }
  // A name without a key may still equal this one ("\xE6on" and "AEon"): each is asked, in table
  // order, as far as the match found so far.
  for (int number = chain.firstKeyless; number != 0 && number - 1 < found;
       number = chain.next[number - 1]) {
    if (lstrcmpiA(NameOf(items[number - 1], kind), name) == 0) {
      found = number - 1;
      break;
    }
  }
  return found;
}
