// The font calls of GDI32: CreateScalableFontResourceA writes a small resource file that names
// the TrueType file, AddFontResourceA adds the fonts a resource (or a TrueType file) holds to
// the machine's font table, RemoveFontResourceA takes one such entry out again. A font file is
// accepted when its header and table directory are sound and it has the head and name tables,
// as a TrueType file (00 01 00 00 or "true") or a collection ("ttcf") of such fonts.
#include <windows.h>

#include <string>

#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "sim_text.h"

namespace {

using winsim::detail::Machine;
using winsim::detail::SetError;

// The first line of winsim's resource files; the second line is "font=" and the font's path.
constexpr char ResourceMagic[] = "winsim scalable font resource";

unsigned long BigEndian(const std::string &bytes, size_t at, int length) {
  unsigned long value = 0;
  for (int i = 0; i < length; i++) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Whether a sound TrueType table directory starts at `at`.
bool IsFontAt(const std::string &bytes, size_t at) {
  if (at + 12 > bytes.size()) return false;
  std::string version = bytes.substr(at, 4);
  if (version != std::string("\0\1\0\0", 4) && version != "true") return false;
  size_t tables = BigEndian(bytes, at + 4, 2);
  if (tables == 0 || at + 12 + 16 * tables > bytes.size()) return false;
  bool head = false;
  bool name = false;
  for (size_t i = 0; i < tables; i++) {
    size_t record = at + 12 + 16 * i;
    std::string tag = bytes.substr(record, 4);
    unsigned long offset = BigEndian(bytes, record + 8, 4);
    unsigned long length = BigEndian(bytes, record + 12, 4);
    if (offset > bytes.size() || length > bytes.size() - offset) return false;
    head = head || tag == "head";
    name = name || tag == "name";
  }
  return head && name;
}

// The number of fonts in a TrueType file or collection; 0 when it is neither.
int CountFonts(const std::string &bytes) {
  if (bytes.size() >= 12 && bytes.compare(0, 4, "ttcf") == 0) {
    unsigned long count = BigEndian(bytes, 8, 4);
    if (count == 0 || count > 0xFFFF || 12 + 4 * count > bytes.size()) return 0;
    for (unsigned long i = 0; i < count; i++) {
      if (!IsFontAt(bytes, BigEndian(bytes, 12 + 4 * i, 4))) return 0;
    }
    return static_cast<int>(count);
  }
  return IsFontAt(bytes, 0) ? 1 : 0;
}

bool IsFullyQualified(LPCSTR name) {
  return name[0] != 0 && name[1] == ':' && (name[2] == '\\' || name[2] == '/');
}

// The fonts a file adds: a TrueType file's own, or those of the font a resource names.
int FontsOf(LPCSTR name) {
  std::string host;
  bool exists = false;
  std::string bytes;
  if (winsim::detail::LocateFile(name, &host, &exists) != ERROR_SUCCESS || !exists ||
      !winsim::detail::ReadWholeFile(host, &bytes)) {
    SetError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  std::string magic = std::string(ResourceMagic) + "\r\nfont=";
  if (bytes.compare(0, magic.size(), magic) == 0) {
    std::string font = bytes.substr(magic.size());
    font = font.substr(0, font.find('\r'));
    bytes.clear();
    if (winsim::detail::LocateFile(font, &host, &exists) != ERROR_SUCCESS || !exists ||
        !winsim::detail::ReadWholeFile(host, &bytes)) {
      SetError(ERROR_FILE_NOT_FOUND);
      return 0;
    }
  }
  return CountFonts(bytes);
}

}  // namespace

BOOL WINAPI CreateScalableFontResourceA(DWORD fdwHidden, LPCSTR lpszFont, LPCSTR lpszFile,
                                        LPCSTR lpszPath) {
  winsim::detail::State &state = Machine();
  if (lpszPath != nullptr) winsim::detail::Unsupported("CreateScalableFontResourceA with a path");
  if (fdwHidden > 1) winsim::detail::Unsupported("CreateScalableFontResourceA hidden flag not 0/1");
  if (state.failCreateFontResource.Fire()) {
    SetError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string resource;
  bool exists = false;
  DWORD error = winsim::detail::LocateFile(lpszFont, &resource, &exists);
  if (error == ERROR_SUCCESS && exists) error = ERROR_FILE_EXISTS;
  if (error != ERROR_SUCCESS) {
    SetError(error);
    return FALSE;
  }
  std::string font;
  std::string bytes;
  if (winsim::detail::LocateFile(lpszFile, &font, &exists) != ERROR_SUCCESS || !exists ||
      !winsim::detail::ReadWholeFile(font, &bytes) || CountFonts(bytes) == 0) {
    SetError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string text = std::string(ResourceMagic) + "\r\nfont=" + winsim::FullPath(lpszFile) +
                     "\r\nhidden=" + (fdwHidden ? "1" : "0") + "\r\n";
  if (!winsim::detail::WriteWholeFile(resource, text, winsim::detail::DriveCreation::New)) {
    SetError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SetError(ERROR_SUCCESS);
  return TRUE;
}

int WINAPI AddFontResourceA(LPCSTR lpszFilename) {
  winsim::detail::State &state = Machine();
  if (!IsFullyQualified(lpszFilename)) {
    winsim::detail::Unsupported("AddFontResourceA of a name that is searched for");
  }
  if (state.failAddFontResource.Fire()) return 0;
  int count = FontsOf(lpszFilename);
  if (count == 0) return 0;
  if (state.addFontResourceResult >= 0) count = state.addFontResourceResult;
  if (count > 0) state.fonts.push_back(winsim::FullPath(lpszFilename));
  return count;
}

BOOL WINAPI RemoveFontResourceA(LPCSTR lpFileName) {
  winsim::detail::State &state = Machine();
  std::string full = winsim::FullPath(lpFileName);
  for (auto entry = state.fonts.begin(); entry != state.fonts.end(); ++entry) {
    if (winsim::detail::EqualIgnoringCase(*entry, full)) {
      state.fonts.erase(entry);
      return TRUE;
    }
  }
  SetError(ERROR_FILE_NOT_FOUND);
  return FALSE;
}
