// The machine's life: Reset starts a fresh one, the Machine guard ends it, and every winsim
// call reaches the state through detail::Machine(), which refuses to run without one.
#include "sim_state.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "sim_paths.h"

namespace winsim {
namespace detail {

namespace {
State *current = nullptr;
}  // namespace

bool Trigger::Fire() {
  if (nth == 0) return false;
  seen++;
  bool fires = times == Times::Once ? seen == nth : seen >= nth;
  if (fires && current != nullptr) current->faultsFired++;
  return fires;
}

bool FileCallFails(FileCall call) {
  State &state = Machine();
  int kind = static_cast<int>(call);
  state.fileCalls[kind]++;
  return state.failFileCall[kind].Fire();
}

State::~State() {
  for (auto &file : files) drive->Close(file.second.fd);
  for (auto &block : blocks) delete[] block.second.data;
}

void Unsupported(const char *what) {
  std::fprintf(stderr, "winsim: unsupported: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

State &Machine() {
  if (!current) Unsupported("a winsim call without a machine (call winsim::Reset first)");
  return *current;
}

bool MachineLive() {
  return current != nullptr;
}

void MakeDirectories(const std::string &winPath) {
  std::string path = DrivePath(winPath);
  for (size_t i = Machine().hostRoot.size() + 1; i <= path.size(); i++) {
    if (i == path.size() || path[i] == '/') Machine().drive->MakeDirectory(path.substr(0, i));
  }
}

namespace {

// A fresh state on the given drive, with the default directories made.
void Start(std::unique_ptr<Drive> drive, const std::string &hostRoot, bool inMemory) {
  delete current;
  current = new State;
  current->drive = std::move(drive);
  current->inMemory = inMemory;
  current->hostRoot = hostRoot;
  while (current->hostRoot.size() > 1 && current->hostRoot.back() == '/') {
    current->hostRoot.pop_back();
  }
  MakeDirectories(current->windowsDir);
  MakeDirectories(current->systemDir);
  MakeDirectories(current->currentDir);
}

}  // namespace

}  // namespace detail

void Reset(const std::string &hostRoot) {
  struct stat info;
  if (stat(hostRoot.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    detail::Unsupported("winsim::Reset: the host root is not a directory");
  }
  detail::Start(detail::MakeHostDrive(), hostRoot, false);
}

void ResetInMemory() {
  detail::Start(detail::MakeMemoryDrive(), "", true);
}

Machine::~Machine() {
  delete detail::current;
  detail::current = nullptr;
}

}  // namespace winsim
