// The sandbox: see sandbox.h.
#include "common/sandbox.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "common/shim.h"

namespace {

constexpr char FontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr int DeepPath = 115;

}  // namespace

std::vector<std::string> Sandbox::Files(const std::string &directory, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder == folders && name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Sandbox::Read(const std::string &path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(in ? static_cast<size_t>(in.tellg()) : 0, '\0');
  in.seekg(0).read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

namespace {

void RemoveTree(const std::string &directory) {
  for (const std::string &name : Sandbox::Files(directory)) {
    SetFileAttributesA((directory + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((directory + name).c_str());
  }
  for (const std::string &name : Sandbox::Files(directory, true))
    RemoveTree(directory + name + "\\");
  RemoveDirectoryA(directory.c_str());
}

// A folder under parent whose path, with its backslash, is length characters long when deep.
std::string MakeFolder(const std::string &parent, const std::string &name, bool deep) {
  std::string path = parent + name;
  if (deep && path.size() + 1 < DeepPath) path += std::string(DeepPath - 1 - path.size(), 'D');
  CreateDirectoryA(path.c_str(), NULL);
  return path + "\\";
}

}  // namespace

Sandbox::Sandbox(const SandboxLayout &layout) {
  static int made;
  char path[MAX_PATH];
  shim::SetPaths("", "", "", "");
  GetModuleFileNameA(NULL, path, MAX_PATH);
  strrchr(path, '\\')[1] = '\0';
  root_ = path +
          ("sandbox" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made)) + "\\";
  RemoveTree(root_);
  CreateDirectoryA(root_.c_str(), NULL);
  system = MakeFolder(root_, "SYS", layout.deepSystem);
  program = layout.programInSystem ? system : MakeFolder(root_, "PROG", layout.deepProgram);
  winIni = root_ + "WIN.INI";
  Write(winIni, "");
  std::string reported = system.substr(0, system.size() - (layout.systemBackslash ? 0 : 1));
  // The folder other processes reach the system directory by (SysWOW64 for the i686 build on
  // 64-bit Windows): the same folder, spelt in lower case, so that a test can tell which was used.
  std::string wow64 = reported;
  CharLowerA(wow64.data());
  shim::SetPaths(program + "QUILLBOX.EXE", reported, wow64, winIni);
  registryBefore_ = RegistryFonts();
}

Sandbox::~Sandbox() {
  shim::SetPaths("", "", "", "");
  RegistryFonts(&registryBefore_);
  RemoveTree(root_);
}

void Sandbox::Write(const std::string &path, const std::string &bytes) const {
  if (!(std::ofstream(path, std::ios::binary) << bytes)) std::abort();
}

std::string Sandbox::Key(const std::string &key) const {
  char value[256];
  GetPrivateProfileStringA("Fonts", key.c_str(), "", value, sizeof value, winIni.c_str());
  return value;
}

std::string Sandbox::Font(int which) {
  static const char *const fonts[] = {"wine\\fonts\\webdings", "wine\\fonts\\marlett",
                                      "wine\\fonts\\wingding", "wine\\fonts\\symbol",
                                      "fonts\\truetype\\liberation\\LiberationMono-Bold"};
  static std::string read[5];
  std::string &bytes = read[which % 5];
  if (bytes.empty()) bytes = Read(std::string("Z:\\usr\\share\\") + fonts[which % 5] + ".ttf");
  if (bytes.empty()) std::abort();
  return bytes;
}

std::vector<std::string> Sandbox::RegistryFonts(const std::vector<std::string> *keep) {
  std::vector<std::string> lines;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, FontsKey, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, &key) != 0)
    return lines;
  for (DWORD index = 0;; index++) {
    char name[512], value[512];
    DWORD nameSize = sizeof name, valueSize = sizeof value - 1, type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, NULL, &type, reinterpret_cast<BYTE *>(value),
                      &valueSize) != 0)
      break;
    value[valueSize] = '\0';
    lines.push_back(std::string(name) + "=" + value);
    // A value that was not there before goes; the next one moves into its place.
    if (keep != nullptr && std::find(keep->begin(), keep->end(), lines.back()) == keep->end())
      RegDeleteValueA(key, name), lines.pop_back(), index--;
  }
  RegCloseKey(key);
  return lines;
}
