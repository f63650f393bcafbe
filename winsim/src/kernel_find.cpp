// FindFirstFileA, FindNextFileA and FindClose: the entries of one directory whose names match a
// pattern of "*" and "?" in its last component, without regard to case, in name order, with
// "." and ".." in every directory but a drive root, as Windows lists them. Windows' extra rules
// for patterns with dots (such as "*.*" matching names without a dot) hold only for "*.*" here.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "sim_drive.h"
#include "sim_paths.h"
#include "sim_state.h"
#include "sim_text.h"

namespace {

using winsim::detail::Machine;
using winsim::detail::SetError;

bool Matches(const char *pattern, const char *name) {
  if (*pattern == 0) return *name == 0;
  if (*pattern == '*') {
    for (const char *rest = name;; rest++) {
      if (Matches(pattern + 1, rest)) return true;
      if (*rest == 0) return false;
    }
  }
  if (*name == 0) return false;
  if (*pattern != '?' && winsim::detail::UpperCase(static_cast<unsigned char>(*pattern)) !=
                             winsim::detail::UpperCase(static_cast<unsigned char>(*name))) {
    return false;
  }
  return Matches(pattern + 1, name + 1);
}

void Fill(const winsim::detail::FoundEntry &entry, LPWIN32_FIND_DATAA data) {
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = entry.attributes;
  data->nFileSizeLow = entry.size;
  std::strncpy(data->cFileName, entry.name.c_str(), MAX_PATH - 1);
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  winsim::detail::State &state = Machine();
  std::string full;
  if (!winsim::detail::QualifyPath(lpFileName, &full)) {
    SetError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  size_t cut = full.rfind('\\');
  std::string pattern = full.substr(cut + 1);
  if (pattern == "*.*") pattern = "*";
  std::string dirName = full.substr(0, cut + 1);
  std::string host;
  bool exists = false;
  DWORD error = winsim::detail::LocateFile(dirName, &host, &exists);
  if (error == ERROR_SUCCESS && !exists) error = ERROR_PATH_NOT_FOUND;
  std::vector<std::string> names;
  winsim::detail::Drive &drive = winsim::detail::TheDrive();
  if (error != ERROR_SUCCESS || !drive.List(host, &names)) {
    SetError(error == ERROR_SUCCESS ? ERROR_PATH_NOT_FOUND : error);
    return INVALID_HANDLE_VALUE;
  }
  winsim::detail::FindSearch search;
  bool root = dirName.size() == 3;
  // Windows lists "." and ".." in every directory but a drive's root.
  if (!root) names.insert(names.begin(), {".", ".."});
  for (const std::string &name : names) {
    if (!Matches(pattern.c_str(), name.c_str())) continue;
    winsim::detail::DriveEntry info;
    std::string path = name == "."    ? host
                       : name == ".." ? host.substr(0, host.rfind('/'))
                                      : host + "/" + name;
    if (!drive.Stat(path, &info)) continue;
    winsim::detail::FoundEntry found;
    found.name = name;
    if (info.directory) {
      found.attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
      found.attributes = FILE_ATTRIBUTE_ARCHIVE | (info.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
      found.size = static_cast<DWORD>(info.size);
    }
    search.entries.push_back(found);
  }
  if (search.entries.empty()) {
    SetError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(search.entries.begin(), search.entries.end(),
            [](const winsim::detail::FoundEntry &a, const winsim::detail::FoundEntry &b) {
              return winsim::detail::CompareIgnoringCase(a.name.c_str(), b.name.c_str()) < 0;
            });
  Fill(search.entries[0], lpFindFileData);
  search.next = 1;
  uintptr_t handle = state.nextSearch;
  state.nextSearch += 4;
  state.searches[handle] = search;
  SetError(ERROR_SUCCESS);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  winsim::detail::State &state = Machine();
  auto found = state.searches.find(reinterpret_cast<uintptr_t>(hFindFile));
  if (found == state.searches.end()) {
    state.invalidHandleUses++;
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  winsim::detail::FindSearch &search = found->second;
  if (search.next >= search.entries.size()) {
    SetError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(search.entries[search.next++], lpFindFileData);
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
  winsim::detail::State &state = Machine();
  if (state.searches.erase(reinterpret_cast<uintptr_t>(hFindFile)) == 0) {
    state.invalidHandleUses++;
    SetError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
