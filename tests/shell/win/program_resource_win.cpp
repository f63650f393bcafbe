// Windows half of FindProgramResource: the resources linked into the test program itself, read
// with the resource loader, and their languages counted with EnumResourceLanguagesA.
#include "shell/program_resource.h"

namespace {

BOOL CALLBACK CountLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) {
  auto *found = reinterpret_cast<ProgramResource *>(param);
  if (found->languages++ == 0) found->language = language;
  return TRUE;
}

}  // namespace

bool FindProgramResource(WORD type, const char *name, WORD id, ProgramResource *found) {
  *found = ProgramResource();
  HMODULE module = GetModuleHandleA(nullptr);
  LPCSTR resourceName = name ? name : MAKEINTRESOURCEA(id);
  EnumResourceLanguagesA(module, MAKEINTRESOURCEA(type), resourceName, CountLanguage,
                         reinterpret_cast<LONG_PTR>(found));
  HRSRC info = FindResourceExA(module, MAKEINTRESOURCEA(type), resourceName, found->language);
  if (!info) return false;
  HGLOBAL loaded = LoadResource(module, info);
  const char *data = static_cast<const char *>(LockResource(loaded));
  if (!data) return false;
  found->bytes.assign(data, SizeofResource(module, info));
  return true;
}
