// The bytes of one of the program's own resources, as the platform holds them: under Wine read
// from the test program's linked resources, on the host from the compiled .res that winsim embeds.
// Lets the template checks compare every stored field with the intended values.
#pragma once

#include <windows.h>

#include <string>

struct ProgramResource {
  std::string bytes;  // the resource data
  int languages = 0;  // how many language versions of this type and name exist
  WORD language = 0;  // the language of the one found
};

constexpr WORD ResourceTypeIcon = 3;
constexpr WORD ResourceTypeDialog = 5;
constexpr WORD ResourceTypeGroupIcon = 14;

// Finds a resource by type and by name (compared without regard to case, as the resource loader
// does) or, with name null, by the ordinal id. Returns false when there is none.
bool FindProgramResource(WORD type, const char *name, WORD id, ProgramResource *found);
