// The compiled resources that the host build embeds: the program's .res (its dialog templates
// and icon) and, in a test program that has one, the test's own .res. Both are windres output,
// a series of RESOURCEHEADER records, read here to find a resource by type and name.
#include "user32_internal.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

// Defined by the generated sources of the test programs that link them; absent elsewhere.
extern const unsigned char winsim_program_resources[] __attribute__((weak));
extern const size_t winsim_program_resources_size __attribute__((weak));
extern const unsigned char winsim_test_resources[] __attribute__((weak));
extern const size_t winsim_test_resources_size __attribute__((weak));

namespace winsim::user32::internal {

namespace {

struct Reader {
  const BYTE *bytes;
  size_t size;

  DWORD Dword(size_t at) const {
    if (at + 4 > size) detail::Unsupported("a truncated .res file");
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | (DWORD)bytes[at + 3] << 24;
  }
  WORD Word(size_t at) const {
    if (at + 2 > size) detail::Unsupported("a truncated .res file");
    return (WORD)(bytes[at] | bytes[at + 1] << 8);
  }
};

// A resource type or name as stored: an ordinal, or a string that Windows compares in capitals.
struct Id {
  WORD ordinal = 0;
  std::string name;
};

size_t ReadId(const Reader &reader, size_t at, Id *id) {
  if (reader.Word(at) == 0xFFFF) {
    id->ordinal = reader.Word(at + 2);
    return at + 4;
  }
  for (WORD c; (c = reader.Word(at)) != 0; at += 2) id->name += c < 0x80 ? (char)c : '?';
  return at + 2;
}

// FindResourceA's rules: an integer id, "#123" for the id 123, or a name without regard to case.
bool Matches(const Id &id, LPCSTR wanted) {
  if (IS_INTRESOURCE(wanted)) return id.name.empty() && id.ordinal == (WORD)(uintptr_t)wanted;
  if (wanted[0] == '#') return id.name.empty() && id.ordinal == (WORD)std::atoi(wanted + 1);
  return !id.name.empty() && SameTextIgnoringCase(id.name, wanted);
}

bool FindIn(const Reader &reader, LPCSTR type, LPCSTR name, const BYTE **bytes, size_t *size) {
  size_t offset = 0;
  while (offset + 8 <= reader.size) {
    DWORD dataSize = reader.Dword(offset);
    DWORD headerSize = reader.Dword(offset + 4);
    Id typeId, nameId;
    size_t at = ReadId(reader, offset + 8, &typeId);
    ReadId(reader, at, &nameId);
    size_t data = offset + headerSize;
    if (data + dataSize > reader.size) detail::Unsupported("a truncated .res file");
    if (dataSize > 0 && Matches(typeId, type) && Matches(nameId, name)) {
      *bytes = reader.bytes + data;
      *size = dataSize;
      return true;
    }
    offset = (data + dataSize + 3) & ~(size_t)3;
  }
  return false;
}

}  // namespace

bool FindResourceBytes(LPCSTR type, LPCSTR name, const BYTE **bytes, size_t *size) {
  if (&winsim_program_resources_size &&
      FindIn({winsim_program_resources, winsim_program_resources_size}, type, name, bytes, size)) {
    return true;
  }
  if (&winsim_test_resources_size &&
      FindIn({winsim_test_resources, winsim_test_resources_size}, type, name, bytes, size)) {
    return true;
  }
  return false;
}

}  // namespace winsim::user32::internal
