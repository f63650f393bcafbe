// GetProfileStringA and WriteProfileStringA on WIN.INI in the Windows directory, with the rules
// recorded under Wine (see the profile tests): section and key names are trimmed of blanks and
// compared without regard to ASCII case (Wine leaves accented letters as they are; Windows may
// fold them too); the first of duplicate keys wins; a value in matching quotes loses them; a
// line that begins with "[" opens a section only when it holds a "]". A write changes or adds one
// line and keeps every other line as it was (lines end in CR LF afterwards); the file is created
// when absent.
#include <windows.h>

#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kernel_files.h"
#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"

namespace {

using std::string_view;
using winsim::detail::Machine;
using winsim::detail::SetError;

// Lines, names and values are views into the text read (or into a line a write made): every
// call reads the whole file, and copies of each line would cost more than the rest.

string_view Trim(string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

string_view TrimFront(string_view text) {
  size_t first = text.find_first_not_of(" \t");
  return first == string_view::npos ? string_view() : text.substr(first);
}

bool SameName(string_view a, string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++) {
    char x = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 0x20) : a[i];
    char y = (b[i] >= 'a' && b[i] <= 'z') ? static_cast<char>(b[i] - 0x20) : b[i];
    if (x != y) return false;
  }
  return true;
}

// The section a line opens, or false when it opens none: "[", the name, and the last "]".
bool SectionOf(string_view line, string_view *name) {
  string_view text = Trim(line);
  size_t close = text.rfind(']');
  if (text.empty() || text[0] != '[' || close == string_view::npos) return false;
  *name = Trim(text.substr(1, close - 1));
  return true;
}

// Whether a line is a comment, which a listing of the section's keys leaves out.
bool IsComment(string_view line) {
  string_view text = Trim(line);
  return !text.empty() && text[0] == ';';
}

// The key and value a line holds, or false for a line without "=". A line that begins with ';'
// is still found by its key, as under Wine: only the listing of keys passes over it.
bool EntryOf(string_view line, string_view *key, string_view *value) {
  string_view text = Trim(line);
  size_t equals = text.find('=');
  if (text.empty() || equals == string_view::npos) return false;
  *key = Trim(text.substr(0, equals));
  *value = Trim(text.substr(equals + 1));
  if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front()) {
    *value = value->substr(1, value->size() - 2);
  }
  return true;
}

// WIN.INI as lines; a Profile stays where it was made, since its lines point into it.
struct Profile {
  std::string host;
  bool exists = false;
  std::string text;                // the file as read
  std::vector<string_view> lines;  // into text or into made
  std::deque<std::string> made;    // the lines a write makes (a deque keeps them in place)

  string_view Make(std::string line) {
    made.push_back(std::move(line));
    return made.back();
  }
};

bool LoadProfile(Profile *profile) {
  std::string dir = Machine().windowsDir;
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  if (winsim::detail::LocateFile(dir + "WIN.INI", &profile->host, &profile->exists) !=
      ERROR_SUCCESS) {
    return false;
  }
  if (!profile->exists) return true;
  if (!winsim::detail::ReadWholeFile(profile->host, &profile->text)) return false;
  string_view text = profile->text;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == string_view::npos) end = text.size();
    string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    profile->lines.push_back(line);
    start = end + 1;
  }
  return true;
}

bool SaveProfile(const Profile &profile) {
  if (profile.exists && winsim::detail::IsReadOnlyOnDrive(profile.host)) return false;
  std::string text;
  for (string_view line : profile.lines) {
    text += line;
    text += "\r\n";
  }
  return winsim::detail::WriteWholeFile(profile.host, text, winsim::detail::DriveCreation::Replace);
}

// The lines [begin, end) of the first section with this name: the header and its entries.
bool FindSection(const Profile &profile, string_view section, size_t *begin, size_t *end) {
  string_view name;
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
bool FindKey(const Profile &profile, size_t begin, size_t end, string_view key, size_t *line,
             string_view *storedKey, string_view *value) {
  for (size_t i = begin + 1; i < end; i++) {
    if (EntryOf(profile.lines[i], storedKey, value) && SameName(*storedKey, Trim(key))) {
      *line = i;
      return true;
    }
  }
  return false;
}

// Copies a text into the caller's buffer as GetProfileStringA does: cut to size - 1 characters.
DWORD CopyOut(string_view text, LPSTR buffer, DWORD size) {
  DWORD length = static_cast<DWORD>(text.size());
  if (length > size - 1) length = size - 1;
  if (length > 0) std::memcpy(buffer, text.data(), length);  // an empty view may have no data
  buffer[length] = 0;
  return length;
}

// The key list of a section: each key followed by a NUL, and a final NUL; when it does not fit,
// the last name is cut and two NULs end the buffer, and the result is size - 2.
DWORD CopyKeys(const std::vector<string_view> &keys, LPSTR buffer, DWORD size) {
  std::string list;
  for (string_view key : keys) {
    list += key;
    list += '\0';
  }
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
  string_view fallback = lpDefault != nullptr ? lpDefault : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  Profile profile;
  size_t begin = 0;
  size_t end = 0;
  bool found = !Machine().failProfileRead.Fire() && LoadProfile(&profile) &&
               FindSection(profile, lpAppName, &begin, &end);
  if (lpKeyName == nullptr) {
    if (!found) return CopyOut(fallback, lpReturnedString, nSize);
    std::vector<string_view> keys;
    string_view key;
    string_view value;
    for (size_t i = begin + 1; i < end; i++) {
      if (!IsComment(profile.lines[i]) && EntryOf(profile.lines[i], &key, &value)) {
        keys.push_back(key);
      }
    }
    return CopyKeys(keys, lpReturnedString, nSize);
  }
  size_t line = 0;
  string_view storedKey;
  string_view value;
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
    string_view storedKey;
    string_view value;
    bool hasKey = found && FindKey(profile, begin, end, lpKeyName, &line, &storedKey, &value);
    if (lpString == nullptr) {
      if (hasKey) profile.lines.erase(profile.lines.begin() + line);
    } else if (hasKey) {
      std::string entry = std::string(storedKey) + "=" + std::string(TrimFront(lpString));
      profile.lines[line] = profile.Make(std::move(entry));
    } else if (found) {
      // After the section's last line that is not blank.
      size_t at = end;
      while (at > begin + 1 && Trim(profile.lines[at - 1]).empty()) at--;
      std::string entry =
          std::string(TrimFront(lpKeyName)) + "=" + std::string(TrimFront(lpString));
      profile.lines.insert(profile.lines.begin() + at, profile.Make(std::move(entry)));
    } else {
      profile.lines.push_back(profile.Make("[" + std::string(Trim(lpAppName)) + "]"));
      profile.lines.push_back(
          profile.Make(std::string(TrimFront(lpKeyName)) + "=" + std::string(TrimFront(lpString))));
    }
  }
  if (!SaveProfile(profile)) {
    SetError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SetError(ERROR_SUCCESS);
  return TRUE;
}
