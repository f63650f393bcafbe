// The sandbox on the host: a new winsim machine whose drive C: lives in memory, gone with it.
#include "common/sandbox.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "winsim/sim.h"

struct Sandbox::State {
  winsim::Machine machine{winsim::InMemory{}};
};

namespace {

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

Sandbox::Sandbox() : state_(new State) {}

Sandbox::~Sandbox() {
  delete state_;
}

std::string Sandbox::ProgramDir() const {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return text.substr(0, text.rfind('\\') + 1);
}

std::string Sandbox::SystemDir() const {
  char path[MAX_PATH];
  GetSystemDirectoryA(path, MAX_PATH);
  return WithBackslash(path);
}

void Sandbox::WriteFile(const std::string &path, const std::string &bytes) {
  if (!winsim::WriteDriveFile(path, bytes)) std::abort();
}

std::string Sandbox::ReadFile(const std::string &path) const {
  std::string bytes;
  winsim::ReadDriveFile(path, &bytes);
  return bytes;
}

bool Sandbox::Exists(const std::string &path) const {
  std::string bytes;
  return winsim::ReadDriveFile(path, &bytes);
}

void Sandbox::Remove(const std::string &path) {
  DeleteFileA(path.c_str());
}

void Sandbox::SetReadOnly(const std::string &path, bool readOnly) {
  SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

std::string Sandbox::RealFont(int which) {
  const char *const fonts[] = {"dejavu/DejaVuSans", "dejavu/DejaVuSerif", "dejavu/DejaVuSansMono",
                               "liberation/LiberationSans-Regular",
                               "liberation/LiberationSerif-Regular"};
  std::ifstream in(std::string("/usr/share/fonts/truetype/") + fonts[which] + ".ttf");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) std::abort();
  return bytes;
}

void Sandbox::SetFontsKey(const std::string &key, const std::string &value) {
  WriteProfileStringA("Fonts", key.c_str(), value.c_str());
}

std::string Sandbox::FontsKey(const std::string &key) const {
  char value[1024];
  GetProfileStringA("Fonts", key.c_str(), "", value, sizeof(value));
  return value;
}

std::string Sandbox::WinIni() const {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return ReadFile(WithBackslash(dir) + "WIN.INI");
}

HINSTANCE Sandbox::Instance() const {
  return GetModuleHandleA(nullptr);
}

// The drive is thrown away whole, so there is nothing to remember.
void Sandbox::WillCreateInSystemDir(const std::string &) {}
void Sandbox::WillWriteFontsKey(const std::string &) {}
