// The sandbox under Wine: the real drive, where the test program runs from a scratch folder of
// its own (scripts/wine-run.sh). What a test adds must not reach the next one, so the sandbox
// notes the program directory's and the system directory's files and WIN.INI's Fonts section
// when it starts, and at its end removes every file that is new there (a .Fot file's font
// resource first) and puts the Fonts section back as it was.
#include "common/sandbox.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

namespace {

// File names and WIN.INI keys are told apart without regard to case, as Windows does.
struct NoCase {
  bool operator()(const std::string &a, const std::string &b) const {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  }
};
using Names = std::set<std::string, NoCase>;
using Section = std::map<std::string, std::string, NoCase>;

// The names of the files, or of the directories but . and .., in a directory.
Names EntriesIn(const std::string &dir, bool directories) {
  Names names;
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

Section FontsSection() {
  Section section;
  std::vector<char> keys(65536);
  DWORD length = GetProfileStringA("Fonts", NULL, "", keys.data(), (DWORD)keys.size());
  for (DWORD at = 0; at < length && keys[at] != 0; at += lstrlenA(&keys[at]) + 1) {
    char value[1024];
    GetProfileStringA("Fonts", &keys[at], "", value, sizeof value);
    section[&keys[at]] = value;
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
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, NULL) != 0) && got > 0)
    bytes->append(buffer, got);
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

std::string WindowsPath(UINT(WINAPI *get)(LPSTR, UINT)) {
  char path[MAX_PATH];
  get(path, MAX_PATH);
  return std::string(path) + (path[lstrlenA(path) - 1] == '\\' ? "" : "\\");
}

}  // namespace

struct Sandbox::State {
  std::string programDir, systemDir, previousDirectory;
  Names programFiles, programDirectories, systemFiles;
  Section fonts;
  Names toldKeys;  // Fonts keys the test or the code under test writes
};

Sandbox::Sandbox() : state_(new State) {
  char path[MAX_PATH];
  GetModuleFileNameA(NULL, path, MAX_PATH);
  *(strrchr(path, '\\') + 1) = '\0';
  state_->programDir = path;
  state_->systemDir = WindowsPath(GetSystemDirectoryA);
  GetCurrentDirectoryA(MAX_PATH, path);
  state_->previousDirectory = path;
  // Relative names mean the same on both platforms: the program's directory.
  SetCurrentDirectoryA(state_->programDir.c_str());
  state_->programFiles = EntriesIn(state_->programDir, false);
  state_->programDirectories = EntriesIn(state_->programDir, true);
  state_->systemFiles = EntriesIn(state_->systemDir, false);
  state_->fonts = FontsSection();
}

Sandbox::~Sandbox() {
  const State &was = *state_;
  for (const std::string &name : EntriesIn(was.systemDir, false)) {
    if (was.systemFiles.count(name) != 0) continue;
    std::string path = was.systemDir + name;
    if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".fot") == 0)
      while (RemoveFontResourceA(path.c_str())) {
      }
    RemoveFile(path);
  }
  for (const std::string &name : EntriesIn(was.programDir, false))
    if (was.programFiles.count(name) == 0) RemoveFile(was.programDir + name);
  for (const std::string &name : EntriesIn(was.programDir, true))
    if (was.programDirectories.count(name) == 0) RemoveTree(was.programDir + name);
  // Keys the test named go whatever the listing shows: it passes over keys that begin with ";".
  for (const std::string &key : was.toldKeys) WriteProfileStringA("Fonts", key.c_str(), NULL);
  Section now = FontsSection();
  for (const auto &entry : now)
    if (was.fonts.count(entry.first) == 0) WriteProfileStringA("Fonts", entry.first.c_str(), NULL);
  for (const auto &entry : was.fonts)
    if (now.count(entry.first) == 0 || now[entry.first] != entry.second)
      WriteProfileStringA("Fonts", entry.first.c_str(), entry.second.c_str());
  SetCurrentDirectoryA(was.previousDirectory.c_str());
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
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
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
  // clang-format off
  static const char *const fonts[] = {"dejavu\\DejaVuSans", "dejavu\\DejaVuSerif", "dejavu\\DejaVuSansMono",
      "liberation\\LiberationSans-Regular", "liberation\\LiberationSerif-Regular", "liberation\\LiberationMono-Regular"};
  // clang-format on
  std::string bytes;
  if (which < 0 || which >= 6 ||
      !ReadWhole(std::string("Z:\\usr\\share\\fonts\\truetype\\") + fonts[which] + ".ttf",
                 &bytes) ||
      bytes.empty())
    std::abort();
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
  std::string bytes;
  ReadWhole(WindowsPath(GetWindowsDirectoryA) + "win.ini", &bytes);
  return bytes;
}

HINSTANCE Sandbox::Instance() const {
  return GetModuleHandleA(NULL);
}

// Whatever is new in the system directory and the Fonts section is taken away at the end anyway;
// a name given here is taken away even when it was there before (left by an earlier run that
// crashed), so that such a leftover is not kept for ever.
void Sandbox::WillCreateInSystemDir(const std::string &name) {
  state_->systemFiles.erase(name);
}

void Sandbox::WillWriteFontsKey(const std::string &key) {
  state_->toldKeys.insert(key);
  state_->fonts.erase(key);
}
