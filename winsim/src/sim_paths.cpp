// Path qualification follows what Windows' GetFullPathNameA does (and what OpenFile with
// OF_PARSE reports), as recorded under Wine: see the OF_PARSE table in the platform tests.
// Lookup walks drive C: (a host folder or a tree in memory) one component at a time and takes the
// entry whose name equals the component after upper-casing, so names keep the case they were
// created with.
#include "sim_paths.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "sim_drive.h"
#include "sim_state.h"
#include "sim_text.h"

namespace winsim::detail {
namespace {

constexpr DWORD ErrorPathNotFound = 3;
constexpr DWORD ErrorInvalidName = 123;
constexpr DWORD ErrorFilenameTooLong = 206;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

// The device a name refers to (its last component, up to the first dot or colon, trailing blanks
// removed), as start and length in the name; false when it names none.
bool FindDeviceName(const std::string &name, size_t *start, size_t *length) {
  size_t first = 0;
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) return false;
  if (name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':') first = 2;
  for (size_t i = first; i < name.size(); i++) {
    if (IsSeparator(name[i])) first = i + 1;
  }
  size_t end = first;
  while (end < name.size() && name[end] != '.' && name[end] != ':') end++;
  while (end > first && name[end - 1] == ' ') end--;
  *start = first;
  *length = end - first;
  if (end - first > 7) return false;  // longer than CONOUT$, the longest device name
  std::string base;
  for (size_t i = first; i < end; i++) base += UpperAscii(name[i]);
  bool device = base == "AUX" || base == "CON" || base == "NUL" || base == "PRN" ||
                base == "CONIN$" || base == "CONOUT$";
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
    device = base[3] >= '1' && base[3] <= '9';
  }
  return device;
}

// Collapses the path after its fixed prefix of `mark` characters (C:\ or the UNC share).
void Collapse(std::string &path, size_t mark) {
  for (char &c : path) {
    if (c == '/') c = '\\';
  }
  size_t keep = std::max<size_t>(1, mark);
  std::string single = path.substr(0, std::min(keep, path.size()));
  single.reserve(path.size());
  for (size_t i = keep; i < path.size(); i++) {
    if (path[i] != '\\' || single.back() != '\\') single += path[i];
  }
  path.swap(single);

  size_t p = mark;
  auto at = [&path](size_t i) { return i < path.size() ? path[i] : '\0'; };
  while (p < path.size()) {
    if (path[p] == '.') {
      if (at(p + 1) == '\\') {  // a ".\" component
        path.erase(p, 2);
        continue;
      }
      if (at(p + 1) == '\0') {  // a final "."
        if (p > mark) p--;
        path.erase(p);
        continue;
      }
      if (at(p + 1) == '.' && (at(p + 2) == '\\' || at(p + 2) == '\0')) {
        bool final = at(p + 2) == '\0';
        size_t next = final ? path.size() : p + 3;
        if (p > mark) {
          p--;
          while (p > mark && path[p - 1] != '\\') p--;
          if (final && p > mark) p--;
        }
        path.erase(p, next - p);
        continue;
      }
    }
    while (p < path.size() && path[p] != '\\') p++;
    if (p < path.size()) {
      // One dot that ends a directory name is dropped ("A.\B" is "A\B").
      if (p > mark && path[p - 1] == '.') {
        path.erase(p - 1, 1);
      } else {
        p++;
      }
    }
  }
  while (p > mark && (path[p - 1] == ' ' || path[p - 1] == '.')) p--;
  path.erase(p);
}

// The current directory with exactly one backslash at its end.
std::string CurrentDirectoryWithBackslash() {
  std::string dir = Machine().currentDir;
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

// The entry in drive directory `dir` whose name equals `name` without regard to case: the exact
// spelling when present, else the first in name order; empty when there is none.
std::string FindListedEntry(const std::string &dir, const std::string &name);

std::string FindEntry(const std::string &dir, const std::string &name) {
  // The exact spelling wins whenever it is there, and one look tells that without listing the
  // directory (which costs a test that touches many files dearly).
  if (name != "." && name != ".." && TheDrive().HasEntry(dir + "/" + name)) return name;
  return FindListedEntry(dir, name);
}

// FindEntry's search of the listing, for a name whose exact spelling is not there.
std::string FindListedEntry(const std::string &dir, const std::string &name) {
  std::vector<std::string> names;
  if (!TheDrive().List(dir, &names)) return "";
  std::vector<std::string> matches;
  for (const std::string &candidate : names) {
    if (EqualIgnoringCase(candidate, name)) matches.push_back(candidate);
  }
  if (matches.empty()) return "";
  if (std::find(matches.begin(), matches.end(), name) != matches.end()) return name;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

bool IsDriveDirectory(const std::string &path) {
  DriveEntry entry;
  return TheDrive().Stat(path, &entry) && entry.directory;
}

bool HasInvalidCharacter(std::string_view component) {
  for (char c : component) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"' ||
        c == ':') {
      return true;
    }
  }
  return false;
}

std::vector<std::string> SplitComponents(const std::string &full) {
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 3; i <= full.size(); i++) {
    if (i == full.size() || full[i] == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += full[i];
    }
  }
  return parts;
}

}  // namespace

bool QualifyPath(const std::string &name, std::string *full) {
  if (name.empty()) return false;
  size_t deviceStart = 0;
  size_t deviceLength = 0;
  if (FindDeviceName(name, &deviceStart, &deviceLength)) {
    *full = "\\\\.\\" + name.substr(deviceStart, deviceLength);
    return true;
  }
  std::string path;
  size_t mark = 3;
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) {
    if (name.size() >= 4 && (name[2] == '.' || name[2] == '?') && IsSeparator(name[3])) {
      mark = 4;  // \\.\device
    } else {
      // \\server\share\: the server and share are never collapsed away.
      size_t server = name.find_first_of("\\/", 2);
      size_t share = server == std::string::npos ? server : name.find_first_of("\\/", server + 1);
      mark = share == std::string::npos ? name.size() : share + 1;
    }
    path = name;
  } else if (name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':') {
    if (name.size() >= 3 && IsSeparator(name[2])) {
      path = name;
    } else if (UpperAscii(name[0]) == UpperAscii(Machine().currentDir[0])) {
      path = CurrentDirectoryWithBackslash() + name.substr(2);
    } else {
      // No current directory is known on another drive: its root.
      path = name.substr(0, 2) + "\\" + name.substr(2);
    }
  } else if (IsSeparator(name[0])) {
    // Rooted on the current drive. (Wine takes a leading "/" as a host path instead.)
    path = Machine().currentDir.substr(0, 2) + name;
  } else {
    path = CurrentDirectoryWithBackslash() + name;
  }
  Collapse(path, mark);
  *full = std::move(path);
  return true;
}

DWORD LocateFile(const std::string &name, std::string *host, bool *exists) {
  std::string full;
  if (!QualifyPath(name, &full)) return ERROR_PATH_NOT_FOUND;
  if (full.compare(0, 4, "\\\\.\\") == 0) Unsupported("a file operation on a device name");
  if (full.compare(0, 2, "\\\\") == 0) Unsupported("a file operation on a network path");
  if (full.size() >= MAX_PATH) return ErrorFilenameTooLong;
  if (UpperAscii(full[0]) != 'C') return ErrorPathNotFound;
  // Every component is checked before any is looked up (a bad name wins over a missing
  // directory); the backslashes between them are the only other characters.
  if (full.size() > 3 && HasInvalidCharacter(std::string_view(full).substr(3)))
    return ErrorInvalidName;
  // The path grows by each component as stored (FindEntry's answer, built in place: this runs
  // for every file call).
  std::string path = Machine().hostRoot;
  path.reserve(path.size() + full.size());
  bool there = true;  // the root itself, when no component follows
  size_t at = 3;
  while (true) {
    while (at < full.size() && full[at] == '\\') at++;
    if (at >= full.size()) break;
    size_t stop = std::min(full.find('\\', at), full.size());
    std::string_view part(full.data() + at, stop - at);
    at = stop;
    while (at < full.size() && full[at] == '\\') at++;
    bool last = at >= full.size();
    size_t dirLength = path.size();
    path += '/';
    path += part;
    bool found = true;
    if (part == "." || part == ".." || !TheDrive().HasEntry(path)) {
      path.resize(dirLength);
      std::string entry = FindListedEntry(path, std::string(part));
      found = !entry.empty();
      path += '/';
      if (found) {
        path += entry;
      } else {
        path += part;
      }
    }
    if (!last) {
      if (!found || !IsDriveDirectory(path)) return ErrorPathNotFound;
    } else {
      there = found;
    }
  }
  *exists = there;
  *host = std::move(path);
  return ERROR_SUCCESS;
}

}  // namespace winsim::detail

namespace winsim {

std::string FullPath(const std::string &winPath) {
  detail::Machine();
  std::string full;
  if (!detail::QualifyPath(winPath, &full))
    detail::Unsupported("winsim::FullPath of an empty name");
  return full;
}

std::string HostPath(const std::string &winPath) {
  if (detail::Machine().inMemory) detail::Unsupported("winsim::HostPath of a drive in memory");
  return detail::DrivePath(winPath);
}

}  // namespace winsim

namespace winsim::detail {

std::string DrivePath(const std::string &winPath) {
  std::string full = FullPath(winPath);
  if (full.compare(0, 2, "\\\\") == 0 || UpperAscii(full[0]) != 'C') {
    Unsupported("winsim::HostPath of a path not on drive C:");
  }
  std::string path = Machine().hostRoot;
  bool found = true;
  for (const std::string &part : SplitComponents(full)) {
    std::string entry = found ? FindEntry(path, part) : "";
    found = !entry.empty();
    path += "/" + (found ? entry : part);
  }
  return path;
}

}  // namespace winsim::detail
