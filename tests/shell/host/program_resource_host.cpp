// Host half of FindProgramResource: walks the entries of the compiled .res file that the build
// embeds for winsim (a 32-byte empty entry, then one header and data block per resource).
#include "shell/program_resource.h"

#include <cctype>
#include <cstring>

extern const unsigned char winsim_program_resources[];
extern const size_t winsim_program_resources_size;

namespace {

struct Reader {
  const unsigned char *base;
  size_t size;
  size_t at;

  bool Has(size_t count) const { return at + count <= size; }
  WORD Word() {
    WORD value = static_cast<WORD>(base[at] | base[at + 1] << 8);
    at += 2;
    return value;
  }
  DWORD Dword() {
    DWORD value = Word();
    return value | static_cast<DWORD>(Word()) << 16;
  }
  void Align() { at = (at + 3) & ~static_cast<size_t>(3); }
};

// A type or name field: 0xFFFF and an ordinal, or a NUL-terminated UTF-16 string (ASCII here).
struct Identifier {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::string text;
};

Identifier ReadIdentifier(Reader &reader) {
  Identifier id;
  WORD first = reader.Word();
  if (first == 0xFFFF) {
    id.isOrdinal = true;
    id.ordinal = reader.Word();
    return id;
  }
  for (WORD c = first; c != 0; c = reader.Word()) id.text += static_cast<char>(c);
  return id;
}

bool SameName(const std::string &stored, const char *wanted) {
  if (stored.size() != std::strlen(wanted)) return false;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(stored[i])) !=
        std::toupper(static_cast<unsigned char>(wanted[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool FindProgramResource(WORD type, const char *name, WORD id, ProgramResource *found) {
  Reader reader{winsim_program_resources, winsim_program_resources_size, 0};
  bool any = false;
  *found = ProgramResource();
  while (reader.Has(32)) {
    size_t start = reader.at;
    DWORD dataSize = reader.Dword();
    DWORD headerSize = reader.Dword();
    Identifier entryType = ReadIdentifier(reader);
    Identifier entryName = ReadIdentifier(reader);
    reader.Align();
    reader.Dword();  // data version
    reader.Word();   // memory flags
    WORD language = reader.Word();
    reader.at = start + headerSize;
    if (!reader.Has(dataSize)) return false;
    bool typeMatches = entryType.isOrdinal && entryType.ordinal == type;
    bool nameMatches = name ? !entryName.isOrdinal && SameName(entryName.text, name)
                            : entryName.isOrdinal && entryName.ordinal == id;
    if (typeMatches && nameMatches) {
      if (!any) {
        found->bytes.assign(reinterpret_cast<const char *>(reader.base + reader.at), dataSize);
        found->language = language;
      }
      any = true;
      found->languages++;
    }
    reader.at += dataSize;
    reader.Align();
  }
  return any;
}
