// The parts of the test control API that are not modelled yet: each aborts with its name.
#include "winsim/sim.h"

namespace winsim {
using detail::Unsupported;

void SetModulePath(const std::string &) {
  Unsupported("winsim::SetModulePath");
}
void SetWindowsDirectory(const std::string &) {
  Unsupported("winsim::SetWindowsDirectory");
}
void SetSystemDirectory(const std::string &) {
  Unsupported("winsim::SetSystemDirectory");
}
void SetCurrentDirectory(const std::string &) {
  Unsupported("winsim::SetCurrentDirectory");
}
std::string FullPath(const std::string &) {
  Unsupported("winsim::FullPath");
}
void SetTicks(DWORD) {
  Unsupported("winsim::SetTicks");
}
void AdvanceTicks(DWORD) {
  Unsupported("winsim::AdvanceTicks");
}
void SetTickStep(DWORD) {
  Unsupported("winsim::SetTickStep");
}
DWORD Ticks() {
  Unsupported("winsim::Ticks");
}
DWORD SleptMilliseconds() {
  Unsupported("winsim::SleptMilliseconds");
}
void FailAllocation(int, Times) {
  Unsupported("winsim::FailAllocation");
}
void FailAllocationOfSize(size_t, int, Times) {
  Unsupported("winsim::FailAllocationOfSize");
}
void GrantSize(size_t, size_t) {
  Unsupported("winsim::GrantSize");
}
void FailOpen(const std::string &, int, Times) {
  Unsupported("winsim::FailOpen");
}
void FailCreate(const std::string &, int, Times) {
  Unsupported("winsim::FailCreate");
}
void FailClose(const std::string &) {
  Unsupported("winsim::FailClose");
}
void ShortRead(const std::string &, size_t) {
  Unsupported("winsim::ShortRead");
}
void ShortWrite(const std::string &, size_t) {
  Unsupported("winsim::ShortWrite");
}
void FailProfileWrite(int, Times) {
  Unsupported("winsim::FailProfileWrite");
}
void FailCreateScalableFontResource(int, Times) {
  Unsupported("winsim::FailCreateScalableFontResource");
}
void FailAddFontResource(int, Times) {
  Unsupported("winsim::FailAddFontResource");
}
void SetAddFontResourceResult(int) {
  Unsupported("winsim::SetAddFontResourceResult");
}
void ClearFaults() {
  Unsupported("winsim::ClearFaults");
}
int OpenFileHandles() {
  Unsupported("winsim::OpenFileHandles");
}
int LiveBlocks() {
  Unsupported("winsim::LiveBlocks");
}
int LockedBlocks() {
  Unsupported("winsim::LockedBlocks");
}
int AllocationCount() {
  Unsupported("winsim::AllocationCount");
}
const std::vector<size_t> &AllocationSizes() {
  Unsupported("winsim::AllocationSizes");
}
int InvalidHandleUses() {
  Unsupported("winsim::InvalidHandleUses");
}
std::vector<std::string> FontResources() {
  Unsupported("winsim::FontResources");
}
void QueueMessageBoxAnswer(int) {
  Unsupported("winsim::QueueMessageBoxAnswer");
}
const std::vector<MessageBoxRecord> &MessageBoxes() {
  Unsupported("winsim::MessageBoxes");
}
const std::vector<BroadcastRecord> &Broadcasts() {
  Unsupported("winsim::Broadcasts");
}
void RecordBroadcast(UINT, WPARAM, LPARAM) {
  Unsupported("winsim::RecordBroadcast");
}

}  // namespace winsim
