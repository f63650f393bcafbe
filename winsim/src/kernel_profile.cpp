// GetProfileStringA and WriteProfileStringA on WIN.INI in the Windows directory, with the rules
// recorded under Wine (see the profile tests): section and key names are trimmed of blanks and
// compared without regard to ASCII case (Wine leaves accented letters as they are; Windows may
// fold them too); the first of duplicate keys wins; a value in matching quotes loses them; a
// line that begins with "[" opens a section only when it holds a "]". A write changes or adds one
// line and keeps every other line as it was (lines end in CR LF afterwards); the file is created
// when absent.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"

namespace {

using winsim::detail::Machine;
using winsim::detail::SetError;

std::string Trim(const std::string &text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string TrimFront(const std::string &text) {
  size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first);
}

bool SameName(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++) {
    char x = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 0x20) : a[i];
    char y = (b[i] >= 'a' && b[i] <= 'z') ? static_cast<char>(b[i] - 0x20) : b[i];
    if (x != y) return false;
  }
  return true;
}

// The section a line opens, or false when it opens none: "[", the name, and the last "]".
bool SectionOf(const std::string &line, std::string *name) {
  std::string text = Trim(line);
  size_t close = text.rfind(']');
  if (text.empty() || text[0] != '[' || close == std::string::npos) return false;
  *name = Trim(text.substr(1, close - 1));
  return true;
}

// Whether a line is a comment, which a listing of the section's keys leaves out.
bool IsComment(const std::string &line) {
  std::string text = Trim(line);
  return !text.empty() && text[0] == ';';
}

// The key and value a line holds, or false for a line without "=". A line that begins with ';'
// is still found by its key, as under Wine: only the listing of keys passes over it.
bool EntryOf(const std::string &line, std::string *key, std::string *value) {
  std::string text = Trim(line);
  size_t equals = text.find('=');
  if (text.empty() || equals == std::string::npos) return false;
  *key = Trim(text.substr(0, equals));
  *value = Trim(text.substr(equals + 1));
  if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front()) {
    *value = value->substr(1, value->size() - 2);
  }
  return true;
}

struct Profile {
  std::string host;
  bool exists = false;
  std::vector<std::string> lines;
};

bool LoadProfile(Profile *profile) {
  std::string dir = Machine().windowsDir;
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  if (winsim::detail::LocateFile(dir + "WIN.INI", &profile->host, &profile->exists) !=
      ERROR_SUCCESS) {
    return false;
  }
  if (!profile->exists) return true;
  std::string text;
  if (!winsim::detail::ReadWholeFile(profile->host, &text)) return false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    profile->lines.push_back(line);
    start = end + 1;
  }
  return true;
}

bool SaveProfile(const Profile &profile) {
  if (profile.exists && winsim::detail::IsReadOnlyOnDrive(profile.host)) return false;
  std::string text;
  for (const std::string &line : profile.lines) text += line + "\r\n";
  return winsim::detail::WriteWholeFile(profile.host, text, winsim::detail::DriveCreation::Replace);
}

// The lines [begin, end) of the first section with this name: the header and its entries.
bool FindSection(const Profile &profile, const std::string &section, size_t *begin, size_t *end) {
  std::string name;
  for (size_t i = 0; i < profile.lines.size(); i++) {
    if (!SectionOf(profile.lines[i], &name) || !SameName(name, Trim(section))) {
      continue;
    }
    *begin = i;
    *end = i + 1;
    while (*end < profile.lines.size() && !SectionOf(profile.lines[*end], &name)) (*end)++;
    return true;
  }
  return false;
}

// The line of the key's first entry within [begin, end).
bool FindKey(const Profile &profile, size_t begin, size_t end, const std::string &key, size_t *line,
             std::string *storedKey, std::string *value) {
  for (size_t i = begin + 1; i < end; i++) {
    if (EntryOf(profile.lines[i], storedKey, value) && SameName(*storedKey, Trim(key))) {
      *line = i;
      return true;
    }
  }
  return false;
}

// Copies a text into the caller's buffer as GetProfileStringA does: cut to size - 1 characters.
DWORD CopyOut(const std::string &text, LPSTR buffer, DWORD size) {
  DWORD length = static_cast<DWORD>(text.size());
  if (length > size - 1) length = size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = 0;
  return length;
}

// The key list of a section: each key followed by a NUL, and a final NUL; when it does not fit,
// the last name is cut and two NULs end the buffer, and the result is size - 2.
DWORD CopyKeys(const std::vector<std::string> &keys, LPSTR buffer, DWORD size) {
  std::string list;
  for (const std::string &key : keys) list += key + '\0';
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = 0;
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    if (size == 1) buffer[0] = 0;
    return 0;
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = 0;
  buffer[size - 1] = 0;
  return size - 2;
}

}  // namespace

DWORD WINAPI GetProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize) {
  Machine();
  if (lpAppName == nullptr) winsim::detail::Unsupported("GetProfileStringA of the section list");
  if (nSize == 0) return 0;
  std::string fallback = lpDefault != nullptr ? lpDefault : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  Profile profile;
  size_t begin = 0;
  size_t end = 0;
  bool found = !Machine().failProfileRead.Fire() && LoadProfile(&profile) &&
               FindSection(profile, lpAppName, &begin, &end);
  if (lpKeyName == nullptr) {
    if (!found) return CopyOut(fallback, lpReturnedString, nSize);
    std::vector<std::string> keys;
    std::string key;
    std::string value;
    for (size_t i = begin + 1; i < end; i++) {
      if (!IsComment(profile.lines[i]) && EntryOf(profile.lines[i], &key, &value)) {
        keys.push_back(key);
      }
    }
    return CopyKeys(keys, lpReturnedString, nSize);
  }
  size_t line = 0;
  std::string storedKey;
  std::string value;
  if (found && FindKey(profile, begin, end, lpKeyName, &line, &storedKey, &value)) {
    return CopyOut(value, lpReturnedString, nSize);
  }
  return CopyOut(fallback, lpReturnedString, nSize);
}

BOOL WINAPI WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString) {
  winsim::detail::State &state = Machine();
  if (lpAppName == nullptr) winsim::detail::Unsupported("WriteProfileStringA without a section");
  Profile profile;
  if (state.failProfileWrite.Fire() || !LoadProfile(&profile)) {
    SetError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  size_t begin = 0;
  size_t end = 0;
  bool found = FindSection(profile, lpAppName, &begin, &end);
  if (lpKeyName == nullptr) {
    // Deletes the whole section.
    if (found) profile.lines.erase(profile.lines.begin() + begin, profile.lines.begin() + end);
  } else {
    size_t line = 0;
    std::string storedKey;
    std::string value;
    bool hasKey = found && FindKey(profile, begin, end, lpKeyName, &line, &storedKey, &value);
    if (lpString == nullptr) {
      if (hasKey) profile.lines.erase(profile.lines.begin() + line);
    } else if (hasKey) {
      profile.lines[line] = storedKey + "=" + TrimFront(lpString);
    } else if (found) {
      // After the section's last line that is not blank.
      size_t at = end;
      while (at > begin + 1 && Trim(profile.lines[at - 1]).empty()) at--;
      profile.lines.insert(profile.lines.begin() + at,
                           TrimFront(lpKeyName) + "=" + TrimFront(lpString));
    } else {
      profile.lines.push_back("[" + Trim(lpAppName) + "]");
      profile.lines.push_back(TrimFront(lpKeyName) + "=" + TrimFront(lpString));
    }
  }
  if (!SaveProfile(profile)) {
    SetError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SetError(ERROR_SUCCESS);
  return TRUE;
}
