// The sandbox on the host: a new winsim machine whose drive C: is a fresh temporary folder,
// removed again with everything in it when the sandbox ends.
#include "common/sandbox.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "winsim/sim.h"

namespace fs = std::filesystem;

struct Sandbox::State {
  std::string hostRoot;
  std::unique_ptr<winsim::Machine> machine;
};

namespace {

std::string TempBase() {
  const char *tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != 0 ? tmp : "/tmp";
}

// A test program that aborts (as winsim does on an unsupported call) leaves its drive behind;
// the next sandbox removes the drives of programs that have ended. Each name holds its pid.
void RemoveAbandonedRoots() {
  std::error_code error;
  for (const fs::directory_entry &entry : fs::directory_iterator(TempBase(), error)) {
    std::string name = entry.path().filename().string();
    if (name.compare(0, 7, "winsim-") != 0) continue;
    long pid = std::strtol(name.c_str() + 7, nullptr, 10);
    if (pid <= 0 || pid == getpid() || kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
      continue;
    }
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
  }
}

std::string MakeTempRoot() {
  RemoveAbandonedRoots();
  std::string pattern = TempBase() + "/winsim-" + std::to_string(getpid()) + "-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string ReadHostFile(const std::string &hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  if (!in) return "";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

Sandbox::Sandbox() : state_(new State) {
  state_->hostRoot = MakeTempRoot();
  state_->machine = std::make_unique<winsim::Machine>(state_->hostRoot);
}

Sandbox::~Sandbox() {
  state_->machine.reset();
  std::error_code ignored;
  fs::remove_all(state_->hostRoot, ignored);
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
  std::ofstream out(winsim::HostPath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

std::string Sandbox::ReadFile(const std::string &path) const {
  return ReadHostFile(winsim::HostPath(path));
}

bool Sandbox::Exists(const std::string &path) const {
  return fs::exists(winsim::HostPath(path));
}

void Sandbox::Remove(const std::string &path) {
  std::error_code ignored;
  fs::remove(winsim::HostPath(path), ignored);
}

void Sandbox::SetReadOnly(const std::string &path, bool readOnly) {
  SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

std::string Sandbox::RealFont(int which) {
  static const char *const fonts[] = {
      "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
      "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
      "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
      "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
  };
  constexpr int count = sizeof(fonts) / sizeof(fonts[0]);
  if (which < 0 || which >= count) std::abort();
  std::string bytes = ReadHostFile(fonts[which]);
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
  return ReadHostFile(winsim::HostPath(WithBackslash(dir) + "WIN.INI"));
}

HINSTANCE Sandbox::Instance() const {
  return GetModuleHandleA(nullptr);
}

// The host drive is thrown away whole, so there is nothing to remember.
void Sandbox::WillCreateInSystemDir(const std::string &) {}
void Sandbox::WillWriteFontsKey(const std::string &) {}
