// The sandbox under Wine: the real drive, where the test program runs from a scratch folder of
// its own (scripts/wine-run.sh). What a test adds must not reach the next one, so the sandbox
// notes the program directory's and the system directory's files and WIN.INI's Fonts section
// when it starts, and at its end removes every file that is new there (a .Fot file's font
// resource first) and puts the Fonts section back as it was.
#include "common/sandbox.h"

#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace {

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string Upper(std::string text) {
  CharUpperA(&text[0]);
  return text;
}

bool EndsWithFot(const std::string &name) {
  return name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".FOT";
}

// The names of the files, or of the directories but . and .., in a directory.
std::set<std::string> EntriesIn(const std::string &dir, bool directories) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isDirectory == directories && name != "." && name != "..") names.insert(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::set<std::string> FilesIn(const std::string &dir) {
  return EntriesIn(dir, false);
}

std::map<std::string, std::string> FontsSection() {
  std::map<std::string, std::string> section;
  std::vector<char> keys(65536);
  DWORD length = GetProfileStringA("Fonts", NULL, "", keys.data(), static_cast<DWORD>(keys.size()));
  for (DWORD at = 0; at < length && keys[at] != 0;) {
    std::string key = &keys[at];
    char value[1024];
    GetProfileStringA("Fonts", key.c_str(), "", value, sizeof value);
    section[key] = value;
    at += static_cast<DWORD>(key.size()) + 1;
  }
  return section;
}

bool ReadWhole(const std::string &path, std::string *bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, NULL) != 0) && got > 0) {
    bytes->append(buffer, got);
  }
  CloseHandle(file);
  return ok;
}

void RemoveFile(const std::string &path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

void RemoveTree(const std::string &dir) {
  for (const std::string &name : EntriesIn(dir + "\\", false)) RemoveFile(dir + "\\" + name);
  for (const std::string &name : EntriesIn(dir + "\\", true)) RemoveTree(dir + "\\" + name);
  RemoveDirectoryA(dir.c_str());
}

}  // namespace

struct Sandbox::State {
  std::string programDir;
  std::string systemDir;
  std::string previousDirectory;
  std::set<std::string> programFiles;
  std::set<std::string> programDirectories;
  std::set<std::string> systemFiles;
  std::map<std::string, std::string> fonts;
  std::vector<std::string> toldKeys;  // Fonts keys the test or the code under test writes
};

Sandbox::Sandbox() : state_(new State) {
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  std::string module = path;
  state_->programDir = module.substr(0, module.rfind('\\') + 1);
  GetSystemDirectoryA(path, MAX_PATH);
  state_->systemDir = WithBackslash(path);
  GetCurrentDirectoryA(MAX_PATH, path);
  state_->previousDirectory = path;
  // Relative names mean the same on both platforms: the program's directory.
  SetCurrentDirectoryA(state_->programDir.c_str());
  state_->programFiles = FilesIn(state_->programDir);
  state_->programDirectories = EntriesIn(state_->programDir, true);
  state_->systemFiles = FilesIn(state_->systemDir);
  state_->fonts = FontsSection();
}

Sandbox::~Sandbox() {
  for (const std::string &name : FilesIn(state_->systemDir)) {
    if (state_->systemFiles.count(name) != 0) continue;
    std::string path = state_->systemDir + name;
    if (EndsWithFot(name)) {
      while (RemoveFontResourceA(path.c_str())) {
      }
    }
    RemoveFile(path);
  }
  for (const std::string &name : FilesIn(state_->programDir)) {
    if (state_->programFiles.count(name) == 0) RemoveFile(state_->programDir + name);
  }
  for (const std::string &name : EntriesIn(state_->programDir, true)) {
    if (state_->programDirectories.count(name) == 0) RemoveTree(state_->programDir + name);
  }
  // Keys the test named go whatever the listing shows: it passes over keys that begin with ";".
  for (const std::string &key : state_->toldKeys) WriteProfileStringA("Fonts", key.c_str(), NULL);
  std::map<std::string, std::string> now = FontsSection();
  for (const auto &entry : now) {
    auto before = state_->fonts.find(entry.first);
    if (before == state_->fonts.end()) {
      WriteProfileStringA("Fonts", entry.first.c_str(), NULL);
    } else if (before->second != entry.second) {
      WriteProfileStringA("Fonts", entry.first.c_str(), before->second.c_str());
    }
  }
  for (const auto &entry : state_->fonts) {
    if (now.count(entry.first) == 0) {
      WriteProfileStringA("Fonts", entry.first.c_str(), entry.second.c_str());
    }
  }
  SetCurrentDirectoryA(state_->previousDirectory.c_str());
  delete state_;
}

std::string Sandbox::ProgramDir() const {
  return state_->programDir;
}

std::string Sandbox::SystemDir() const {
  return state_->systemDir;
}

void Sandbox::WriteFile(const std::string &path, const std::string &bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  CloseHandle(file);
  if (!ok || written != bytes.size()) std::abort();
}

std::string Sandbox::ReadFile(const std::string &path) const {
  std::string bytes;
  ReadWhole(path, &bytes);
  return bytes;
}

bool Sandbox::Exists(const std::string &path) const {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Sandbox::Remove(const std::string &path) {
  RemoveFile(path);
}

void Sandbox::SetReadOnly(const std::string &path, bool readOnly) {
  SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

std::string Sandbox::RealFont(int which) {
  static const char *const fonts[] = {
      "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
      "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf",
      "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf",
      "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
      "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSerif-Regular.ttf",
      "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationMono-Regular.ttf",
  };
  constexpr int count = sizeof(fonts) / sizeof(fonts[0]);
  std::string bytes;
  if (which < 0 || which >= count || !ReadWhole(fonts[which], &bytes) || bytes.empty()) {
    std::abort();
  }
  return bytes;
}

void Sandbox::SetFontsKey(const std::string &key, const std::string &value) {
  WillWriteFontsKey(key);
  WriteProfileStringA("Fonts", key.c_str(), value.c_str());
}

std::string Sandbox::FontsKey(const std::string &key) const {
  char value[1024];
  GetProfileStringA("Fonts", key.c_str(), "", value, sizeof value);
  return value;
}

std::string Sandbox::WinIni() const {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  std::string bytes;
  ReadWhole(WithBackslash(dir) + "win.ini", &bytes);
  return bytes;
}

HINSTANCE Sandbox::Instance() const {
  return GetModuleHandleA(NULL);
}

// Whatever is new in the system directory and the Fonts section is taken away at the end anyway;
// a name given here is taken away even when it was there before (left by an earlier run that
// crashed), so that such a leftover is not kept for ever.
void Sandbox::WillCreateInSystemDir(const std::string &name) {
  for (auto it = state_->systemFiles.begin(); it != state_->systemFiles.end();) {
    it = lstrcmpiA(it->c_str(), name.c_str()) == 0 ? state_->systemFiles.erase(it) : std::next(it);
  }
}

void Sandbox::WillWriteFontsKey(const std::string &key) {
  state_->toldKeys.push_back(key);
  for (auto it = state_->fonts.begin(); it != state_->fonts.end();) {
    it = lstrcmpiA(it->first.c_str(), key.c_str()) == 0 ? state_->fonts.erase(it) : std::next(it);
  }
}
