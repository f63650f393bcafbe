// The simulated machine's state, shared by winsim's source files (not part of the test API).
// One State lives from winsim::Reset to the end of the Machine guard or the next Reset.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim_drive.h"
#include "winsim/sim.h"

namespace winsim::detail {

// A fault armed for the nth matching call.
struct Trigger {
  int nth = 0;  // 0: not armed
  Times times = Times::Once;
  int seen = 0;
  // Counts one matching call; true when the fault fires for it.
  bool Fire();
};

// A fault on one file: `path` is the qualified Windows path, upper-cased.
struct PathTrigger {
  std::string path;
  Trigger trigger;
};

struct FileHandle {
  int fd = -1;       // the drive's handle
  std::string path;  // qualified Windows path, upper-cased, for faults
  std::string host;
  bool canRead = false;
  bool canWrite = false;
  size_t readBytes = 0;
  size_t writtenBytes = 0;
};

struct FoundEntry {
  std::string name;
  DWORD attributes = 0;
  DWORD size = 0;
};

struct FindSearch {
  std::vector<FoundEntry> entries;
  size_t next = 0;
};

// A window: a top-level window of a registered class, or a STATIC child holding a dialog item's
// text under its id.
struct Window {
  WNDPROC proc = nullptr;  // null for a STATIC child
  HWND parent = nullptr;
  int id = 0;
  std::string text;
};

struct MemoryBlock {
  bool movable = false;
  char *data = nullptr;  // null for a block of 0 bytes (discarded)
  size_t size = 0;
  int locks = 0;
};

struct State {
  State() = default;
  ~State();
  State(const State &) = delete;
  State &operator=(const State &) = delete;

  std::string hostRoot;  // the host folder that stands for C:; "" for a drive in memory
  std::unique_ptr<Drive> drive;
  bool inMemory = false;
  std::string modulePath = "C:\\QB\\QUILLBOX.EXE";
  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\SYSTEM";
  std::string currentDir = "C:\\QB";
  DWORD lastError = 0;

  // Clock.
  DWORD ticks = 0;
  DWORD tickStep = 10;
  DWORD slept = 0;

  // Files.
  std::map<int, FileHandle> files;
  int nextFile = 0x100;
  std::map<uintptr_t, FindSearch> searches;  // FindFirstFileA handles
  uintptr_t nextSearch = 0x7004;
  std::map<uintptr_t, DriveEntry> identities;  // CreateFileA's handles for the file identity
  uintptr_t nextIdentity = 0x5000;
  std::vector<PathTrigger> failOpen;
  std::vector<PathTrigger> failCreate;
  std::vector<std::string> failClose;
  std::map<std::string, size_t> readLimits;
  std::map<std::string, size_t> writeLimits;

  // Memory.
  std::map<uintptr_t, MemoryBlock> blocks;  // by handle
  uintptr_t nextHandle = 0x10004;           // movable handles: never valid addresses
  int allocations = 0;
  std::vector<size_t> allocationSizes;
  Trigger failAllocation;
  std::map<size_t, Trigger> failAllocationOfSize;
  std::map<size_t, size_t> grantedSizes;

  // Every file call of a kind, whatever its path (indexed by FileCall), and their counts.
  Trigger failFileCall[6];
  int fileCalls[6] = {};

  // Profile and fonts.
  Trigger failProfileWrite;
  Trigger failProfileRead;
  Trigger failCreateFontResource;
  Trigger failAddFontResource;
  int addFontResourceResult = -1;  // -1: the real count
  std::vector<std::string> fonts;

  // The registry's font list, by value name in upper case: the name as written and its text.
  std::map<std::string, std::pair<std::string, std::string>> fontValues;
  Trigger failRegistryWrite;
  bool wow64 = false;
  std::string wow64SystemDir = "C:\\WINDOWS\\SYSWOW64";

  // USER32: classes by upper-case name, windows by handle, the thread's posted messages.
  std::map<std::string, WNDPROC> classes;
  std::map<uintptr_t, Window> windows;
  uintptr_t nextWindow = 0x20010;
  std::deque<MSG> queue;
  bool quitPosted = false;
  int quitCode = 0;

  // Records.
  int faultsFired = 0;
  int invalidHandleUses = 0;
  std::deque<int> messageBoxAnswers;
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<BroadcastRecord> broadcasts;
};

// Counts one call of the kind; true when a fault armed by FailFileCall fires for it.
bool FileCallFails(FileCall call);

// The live machine; aborts when no Reset has started one.
State &Machine();
bool MachineLive();
// Creates the drive's directories of a Windows directory path, parents first.
void MakeDirectories(const std::string &winPath);
// Sets the thread's last error, as the Win32 calls do.
inline void SetError(DWORD code) {
  Machine().lastError = code;
}

}  // namespace winsim::detail
