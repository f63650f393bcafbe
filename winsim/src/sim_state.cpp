// The machine's life: Reset starts a fresh one, the Machine guard ends it, and every winsim
// call reaches the state through detail::Machine(), which refuses to run without one.
#include "sim_state.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace winsim {
namespace detail {

int (*messageBoxLoopHook)(HWND owner, const MessageBoxRecord &box, int answer) = nullptr;

namespace {
State *current = nullptr;
void (*resetHooks[16])() = {};
int resetHookCount = 0;
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
  for (auto &file : files) close(file.second.fd);
  for (auto &block : blocks) delete[] block.second.data;
}

void Unsupported(const char *what) {
  std::fprintf(stderr, "winsim: unsupported: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

void AddResetHook(void (*hook)()) {
  for (int i = 0; i < resetHookCount; i++) {
    if (resetHooks[i] == hook) return;
  }
  if (resetHookCount == 16) Unsupported("winsim::detail::AddResetHook: more than 16 hooks");
  resetHooks[resetHookCount++] = hook;
}

State &Machine() {
  if (!current) Unsupported("a winsim call without a machine (call winsim::Reset first)");
  return *current;
}

bool MachineLive() {
  return current != nullptr;
}

void MakeDirectories(const std::string &winPath) {
  std::string host = HostPath(winPath);
  for (size_t i = Machine().hostRoot.size() + 1; i <= host.size(); i++) {
    if (i == host.size() || host[i] == '/') mkdir(host.substr(0, i).c_str(), 0777);
  }
}

}  // namespace detail

void Reset(const std::string &hostRoot) {
  struct stat info;
  if (stat(hostRoot.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    detail::Unsupported("winsim::Reset: the host root is not a directory");
  }
  delete detail::current;
  detail::current = new detail::State;
  detail::current->hostRoot = hostRoot;
  while (detail::current->hostRoot.size() > 1 && detail::current->hostRoot.back() == '/') {
    detail::current->hostRoot.pop_back();
  }
  detail::MakeDirectories(detail::current->windowsDir);
  detail::MakeDirectories(detail::current->systemDir);
  detail::MakeDirectories(detail::current->currentDir);
  for (int i = 0; i < detail::resetHookCount; i++) detail::resetHooks[i]();
}

Machine::~Machine() {
  delete detail::current;
  detail::current = nullptr;
}

}  // namespace winsim
