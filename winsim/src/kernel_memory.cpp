// Global memory: movable blocks behind handles that are never valid addresses, lock counts,
// and the allocation faults of sim.h. A reallocation always moves the data, and one with
// GMEM_MOVEABLE also changes the handle, so code that keeps a stale address or handle is caught.
#include <windows.h>

#include <malloc.h>

#include <algorithm>
#include <cstring>

#include "sim_state.h"

namespace {

using winsim::detail::Machine;
using winsim::detail::MemoryBlock;
using winsim::detail::SetError;

// Contents of memory that was not asked to be zeroed: anything but zeros.
constexpr unsigned char Uninitialised = 0xA5;
// The machine's memory: a larger request fails, as an absurd size fails on Windows.
constexpr size_t MemorySize = 256u << 20;

MemoryBlock *FindBlock(HGLOBAL hMem) {
  auto &blocks = Machine().blocks;
  auto found = blocks.find(reinterpret_cast<uintptr_t>(hMem));
  if (found == blocks.end()) {
    Machine().invalidHandleUses++;
    SetError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &found->second;
}

size_t Granted(size_t bytes) {
  auto &granted = Machine().grantedSizes;
  auto found = granted.find(bytes);
  return found == granted.end() ? bytes : found->second;
}

// Counts one allocation of `bytes` and tells whether an injected fault refuses it.
bool AllocationFails(size_t bytes) {
  winsim::detail::State &state = Machine();
  state.allocations++;
  bool fails = state.failAllocation.Fire();
  auto bySize = state.failAllocationOfSize.find(bytes);
  if (bySize != state.failAllocationOfSize.end() && bySize->second.Fire()) fails = true;
  if (bytes > MemorySize || Granted(bytes) > MemorySize) fails = true;
  if (fails) SetError(ERROR_NOT_ENOUGH_MEMORY);
  return fails;
}

// A new block's data: the first `kept` bytes copied from `from`, the rest filled with `fill`.
char *NewData(size_t size, const char *from, size_t kept, unsigned char fill) {
  char *data = new char[std::max<size_t>(size, 1)];
  if (kept > 0) std::memcpy(data, from, kept);
  std::memset(data + kept, fill, std::max<size_t>(size, 1) - kept);
  return data;
}

// A table that grows by one record at a time asks for blocks each a little larger than the last.
// With glibc's defaults every such block above 128 KiB is a fresh mapping whose pages all fault
// in, which would make the host's cost of growth the kernel's rather than the copying's. Blocks
// below 64 MiB come from the heap instead, which reuses what the moves free.
[[maybe_unused]] const int heapForBlocks = [] {
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  return 0;
}();

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, size_t dwBytes) {
  winsim::detail::State &state = Machine();
  if ((uFlags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) != 0) {
    winsim::detail::Unsupported(
        "GlobalAlloc with flags other than GMEM_MOVEABLE and GMEM_ZEROINIT");
  }
  state.allocationSizes.push_back(dwBytes);
  if (AllocationFails(dwBytes)) return nullptr;
  MemoryBlock block;
  block.movable = (uFlags & GMEM_MOVEABLE) != 0;
  // A movable block of 0 bytes is allocated discarded: it has a handle but no memory.
  if (!block.movable || dwBytes > 0) {
    block.size = Granted(dwBytes);
    block.data = NewData(block.size, nullptr, 0, (uFlags & GMEM_ZEROINIT) ? 0 : Uninitialised);
  }
  uintptr_t handle = reinterpret_cast<uintptr_t>(block.data);
  if (block.movable) {
    handle = state.nextHandle;
    state.nextHandle += 8;
  }
  state.blocks[handle] = block;
  SetError(ERROR_SUCCESS);
  return reinterpret_cast<HGLOBAL>(handle);
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, size_t dwBytes, UINT uFlags) {
  winsim::detail::State &state = Machine();
  if ((uFlags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) != 0) {
    winsim::detail::Unsupported(
        "GlobalReAlloc with flags other than GMEM_MOVEABLE and GMEM_ZEROINIT");
  }
  MemoryBlock *block = FindBlock(hMem);
  if (block == nullptr) return nullptr;
  if (!block->movable) winsim::detail::Unsupported("GlobalReAlloc of a fixed block");
  if (AllocationFails(dwBytes)) return nullptr;
  size_t size = dwBytes == 0 ? 0 : Granted(dwBytes);
  // A locked block may only move when the caller allows it.
  if (block->locks > 0 && (uFlags & GMEM_MOVEABLE) == 0 && size > block->size) {
    SetError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  char *data = nullptr;
  if (size > 0) {
    size_t kept = std::min(size, block->size);
    data = NewData(size, block->data, kept, (uFlags & GMEM_ZEROINIT) ? 0 : Uninitialised);
  }
  delete[] block->data;
  block->data = data;
  block->size = size;
  uintptr_t handle = reinterpret_cast<uintptr_t>(hMem);
  if (uFlags & GMEM_MOVEABLE) {
    MemoryBlock moved = *block;
    state.blocks.erase(handle);
    handle = state.nextHandle;
    state.nextHandle += 8;
    state.blocks[handle] = moved;
  }
  SetError(ERROR_SUCCESS);
  return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
  MemoryBlock *block = FindBlock(hMem);
  if (block == nullptr || block->data == nullptr) return nullptr;
  if (block->movable && block->locks < GMEM_LOCKCOUNT) block->locks++;
  return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
  MemoryBlock *block = FindBlock(hMem);
  if (block == nullptr) return FALSE;
  if (!block->movable) return TRUE;
  if (block->locks == 0) {
    SetError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  block->locks--;
  if (block->locks == 0) SetError(NO_ERROR);
  return block->locks > 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
  MemoryBlock *block = FindBlock(hMem);
  if (block == nullptr) return hMem;
  delete[] block->data;
  Machine().blocks.erase(reinterpret_cast<uintptr_t>(hMem));
  return nullptr;
}

size_t WINAPI GlobalSize(HGLOBAL hMem) {
  MemoryBlock *block = FindBlock(hMem);
  return block == nullptr ? 0 : block->size;
}

UINT WINAPI GlobalFlags(HGLOBAL hMem) {
  MemoryBlock *block = FindBlock(hMem);
  if (block == nullptr) return GMEM_INVALID_HANDLE;
  UINT flags = static_cast<UINT>(block->locks) & GMEM_LOCKCOUNT;
  if (block->movable && block->data == nullptr) flags |= GMEM_DISCARDED;
  return flags;
}
