// The test control calls of sim.h that set up the machine and read its counters and records.
#include "sim_state.h"
#include "sim_text.h"

namespace winsim {
namespace {

std::string FaultKey(const std::string &winPath) {
  std::string key = FullPath(winPath);
  for (char &c : key) c = static_cast<char>(detail::UpperCase(static_cast<unsigned char>(c)));
  return key;
}

void Arm(detail::Trigger &trigger, int nth, Times times) {
  if (nth < 1) detail::Unsupported("a winsim fault at call number 0 or below");
  trigger.nth = nth;
  trigger.times = times;
  trigger.seen = 0;
}

}  // namespace

void SetModulePath(const std::string &winPath) {
  std::string full = FullPath(winPath);
  detail::MakeDirectories(full.substr(0, full.rfind('\\')));
  detail::Machine().modulePath = full;
}

void SetWindowsDirectory(const std::string &winPath) {
  detail::MakeDirectories(winPath);
  detail::Machine().windowsDir = winPath;
}

void SetSystemDirectory(const std::string &winPath) {
  detail::MakeDirectories(winPath);
  detail::Machine().systemDir = winPath;
}

void SetTicks(DWORD ticks) {
  detail::Machine().ticks = ticks;
}
void AdvanceTicks(DWORD milliseconds) {
  detail::Machine().ticks += milliseconds;
}
void SetTickStep(DWORD milliseconds) {
  detail::Machine().tickStep = milliseconds;
}
DWORD Ticks() {
  return detail::Machine().ticks;
}
DWORD SleptMilliseconds() {
  return detail::Machine().slept;
}

void FailAllocation(int nth, Times times) {
  Arm(detail::Machine().failAllocation, nth, times);
}

void FailAllocationOfSize(size_t bytes, int nth, Times times) {
  Arm(detail::Machine().failAllocationOfSize[bytes], nth, times);
}

void GrantSize(size_t requested, size_t granted) {
  if (granted < requested) detail::Unsupported("winsim::GrantSize below the requested size");
  detail::Machine().grantedSizes[requested] = granted;
}

void FailOpen(const std::string &winPath, int nth, Times times) {
  detail::PathTrigger fault{FaultKey(winPath), {}};
  Arm(fault.trigger, nth, times);
  detail::Machine().failOpen.push_back(fault);
}

void FailCreate(const std::string &winPath, int nth, Times times) {
  detail::PathTrigger fault{FaultKey(winPath), {}};
  Arm(fault.trigger, nth, times);
  detail::Machine().failCreate.push_back(fault);
}

void FailClose(const std::string &winPath) {
  detail::Machine().failClose.push_back(FaultKey(winPath));
}

void ShortRead(const std::string &winPath, size_t bytes) {
  detail::Machine().readLimits[FaultKey(winPath)] = bytes;
}

void ShortWrite(const std::string &winPath, size_t bytes) {
  detail::Machine().writeLimits[FaultKey(winPath)] = bytes;
}

void FailFileCall(FileCall call, int nth, Times times) {
  Arm(detail::Machine().failFileCall[static_cast<int>(call)], nth, times);
}

int FileCallCount(FileCall call) {
  return detail::Machine().fileCalls[static_cast<int>(call)];
}

void FailProfileWrite(int nth, Times times) {
  Arm(detail::Machine().failProfileWrite, nth, times);
}

void FailProfileRead(int nth, Times times) {
  Arm(detail::Machine().failProfileRead, nth, times);
}

void FailCreateScalableFontResource(int nth, Times times) {
  Arm(detail::Machine().failCreateFontResource, nth, times);
}

void FailAddFontResource(int nth, Times times) {
  Arm(detail::Machine().failAddFontResource, nth, times);
}

void SetAddFontResourceResult(int count) {
  if (count < 0) detail::Unsupported("winsim::SetAddFontResourceResult below 0");
  detail::Machine().addFontResourceResult = count;
}

void FailRegistryWrite(int nth, Times times) {
  Arm(detail::Machine().failRegistryWrite, nth, times);
}

void SetWow64(const std::string &systemDirForAll) {
  detail::Machine().wow64 = true;
  detail::Machine().wow64SystemDir = systemDirForAll;
}

void SetFontValue(const std::string &name, const std::string &text) {
  std::string key = name;
  for (char &c : key) c = static_cast<char>(detail::UpperCase(static_cast<unsigned char>(c)));
  detail::Machine().fontValues[key] = {name, text};
}

std::map<std::string, std::string> FontValues() {
  std::map<std::string, std::string> values;
  for (const auto &value : detail::Machine().fontValues)
    values[value.second.first] = value.second.second;
  return values;
}

void ClearFaults() {
  detail::State &state = detail::Machine();
  state.failOpen.clear();
  state.failCreate.clear();
  state.failClose.clear();
  state.readLimits.clear();
  state.writeLimits.clear();
  state.failAllocation = {};
  state.failAllocationOfSize.clear();
  state.grantedSizes.clear();
  for (detail::Trigger &trigger : state.failFileCall) trigger = {};
  state.failProfileWrite = {};
  state.failProfileRead = {};
  state.failCreateFontResource = {};
  state.failAddFontResource = {};
  state.failRegistryWrite = {};
  state.addFontResourceResult = -1;
}

int FaultsFired() {
  return detail::Machine().faultsFired;
}

int OpenFileHandles() {
  return static_cast<int>(detail::Machine().files.size() + detail::Machine().searches.size());
}

int OpenIdentityHandles() {
  return static_cast<int>(detail::Machine().identities.size());
}

int LiveBlocks() {
  return static_cast<int>(detail::Machine().blocks.size());
}

int LockedBlocks() {
  int locked = 0;
  for (const auto &block : detail::Machine().blocks) locked += block.second.locks > 0;
  return locked;
}

int AllocationCount() {
  return detail::Machine().allocations;
}

const std::vector<size_t> &AllocationSizes() {
  return detail::Machine().allocationSizes;
}

int InvalidHandleUses() {
  return detail::Machine().invalidHandleUses;
}

std::vector<std::string> FontResources() {
  return detail::Machine().fonts;
}

}  // namespace winsim
