// The import shim: see shim.h. The wrappers keep the real functions' signatures and calling
// convention; each counts its call, fails it when the armed fault says so, and otherwise calls the
// function that the import address table held before.
#include "common/shim.h"

#include <algorithm>

// clang-format off
#define SHIM_FUNCTIONS(X) \
  X(GlobalAlloc) X(GlobalReAlloc) X(GlobalFree) X(_lopen) X(_lcreat) X(_lread) X(_lwrite) \
  X(_lclose) X(OpenFile) X(CreateFileA) X(CloseHandle) X(FindFirstFileA) X(FindClose) \
  X(DeleteFileA) X(MoveFileExA) X(GetProfileStringA) X(WriteProfileStringA) X(GetTickCount) \
  X(GetModuleFileNameA) X(GetSystemDirectoryA) X(GetSystemWow64DirectoryA) \
  X(CreateScalableFontResourceA) X(AddFontResourceA) X(RemoveFontResourceA) X(MessageBoxA) \
  X(PeekMessageA) X(SendMessageTimeoutA) X(RegOpenKeyExA) X(RegSetValueExA) X(RegCloseKey)
// clang-format on

namespace shim {

State state;

namespace {

enum Slot {
#define SHIM_SLOT(name) Slot_##name,
  SHIM_FUNCTIONS(SHIM_SLOT) SlotCount
};
void *real[SlotCount];
#define REAL(name) reinterpret_cast<decltype(&::name)>(real[Slot_##name])

std::string programFile, systemDirectory, wow64Directory, winIni;

// Counts a call of kind; true when the armed fault makes it fail.
bool paused;

bool Faulted(int kind, DWORD error) {
  if (paused) return false;
  int n = ++state.calls[kind] - state.faultBase;
  if (kind != state.faultKind || n < state.faultNth) return false;
  if (n > state.faultNth && !state.fromThenOn) return false;
  state.fired++;
  SetLastError(error);
  return true;
}

HANDLE Tracked(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE && handle != NULL) state.handles.insert(handle);
  return handle;
}
HANDLE AsHandle(HFILE file) {
  return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file));
}
HFILE Tracked(HFILE file) {
  if (file != HFILE_ERROR) Tracked(AsHandle(file));
  return file;
}

// The answer of the Get...DirectoryA calls for a set directory.
UINT AnswerDirectory(const std::string &directory, LPSTR buffer, UINT size,
                     UINT(WINAPI *real)(LPSTR, UINT)) {
  if (directory.empty()) return real(buffer, size);
  if (directory.size() >= size) return static_cast<UINT>(directory.size() + 1);
  lstrcpyA(buffer, directory.c_str());
  return static_cast<UINT>(directory.size());
}

// Under Wine's heap checking (scripts/wine-run.sh) a block the program overran fails validation,
// which reports it; once freed or moved, the evidence would be gone.
void Validate(HGLOBAL block) {
  void *address = GlobalLock(block);
  if (address != NULL && !HeapValidate(GetProcessHeap(), 0, address)) state.damagedBlocks++;
  if (address != NULL) GlobalUnlock(block);
}

HGLOBAL WINAPI W_GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
  Validate(block);
  if (Faulted(Allocation, ERROR_NOT_ENOUGH_MEMORY)) return NULL;
  HGLOBAL moved = REAL(GlobalReAlloc)(block, bytes, flags);
  if (moved != NULL && state.blocks.erase(block) != 0) state.blocks.insert(moved);
  return moved;
}
HGLOBAL WINAPI W_GlobalFree(HGLOBAL block) {
  if (state.blocks.erase(block) != 0) Validate(block);
  return REAL(GlobalFree)(block);
}

// A wrapper that fails as the real function does when the fault of its kind (none: -1) hits, and
// otherwise calls the real one and notes its result.
#define WRAP(type, name, parameters, arguments, kind, error, failed, note) \
  type WINAPI W_##name parameters {                                        \
    if (kind >= 0 && Faulted(kind, error)) return failed;                  \
    type result = REAL(name) arguments;                                    \
    note;                                                                  \
    return result;                                                         \
  }
constexpr int None = -1;
constexpr DWORD Denied = ERROR_ACCESS_DENIED;
WRAP(HGLOBAL, GlobalAlloc, (UINT f, SIZE_T n), (f, n), Allocation, ERROR_NOT_ENOUGH_MEMORY, NULL,
     if (result != NULL) state.blocks.insert(result))
WRAP(HFILE, _lopen, (LPCSTR p, int m), (p, m), Open, Denied, HFILE_ERROR, Tracked(result))
WRAP(HFILE, _lcreat, (LPCSTR p, int a), (p, a), Create, Denied, HFILE_ERROR, Tracked(result))
WRAP(HANDLE, CreateFileA,
     (LPCSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES c, DWORD d, DWORD f, HANDLE t),
     (p, a, s, c, d, f, t), Open, Denied, INVALID_HANDLE_VALUE, Tracked(result))
WRAP(HANDLE, FindFirstFileA, (LPCSTR p, LPWIN32_FIND_DATAA f), (p, f), Open, Denied,
     INVALID_HANDLE_VALUE, Tracked(result))
WRAP(BOOL, CloseHandle, (HANDLE h), (h), None, 0, FALSE, state.handles.erase(h))
WRAP(BOOL, FindClose, (HANDLE h), (h), None, 0, FALSE, state.handles.erase(h))
WRAP(LSTATUS, RegOpenKeyExA, (HKEY k, LPCSTR s, DWORD o, REGSAM a, PHKEY r), (k, s, o, a, r),
     Registry, Denied, Denied, if (result == ERROR_SUCCESS) Tracked(static_cast<HANDLE>(*r)))
WRAP(LSTATUS, RegCloseKey, (HKEY k), (k), None, 0, 0, state.handles.erase(k))
WRAP(int, AddFontResourceA, (LPCSTR r), (r), AddResource, Denied, 0,
     if (result > 0) state.fonts.emplace_back(r, result))
WRAP(LRESULT, SendMessageTimeoutA,
     (HWND w, UINT m, WPARAM p, LPARAM l, UINT f, UINT t, PDWORD_PTR r), (w, m, p, l, f, t, r),
     None, 0, 0, if (w == HWND_BROADCAST) state.broadcasts.push_back(m))
WRAP(UINT, _lread, (HFILE f, LPVOID b, UINT n), (f, b, n), Read, ERROR_READ_FAULT, -1u, (void)0)
WRAP(UINT, _lwrite, (HFILE f, LPCCH b, UINT n), (f, b, n), Write, ERROR_DISK_FULL, -1u, (void)0)
WRAP(BOOL, DeleteFileA, (LPCSTR path), (path), Delete, Denied, FALSE, (void)0)
WRAP(BOOL, MoveFileExA, (LPCSTR from, LPCSTR to, DWORD flags), (from, to, flags), Move, Denied,
     FALSE, (void)0)
WRAP(BOOL, CreateScalableFontResourceA, (DWORD h, LPCSTR r, LPCSTR f, LPCSTR p), (h, r, f, p),
     CreateResource, Denied, FALSE, (void)0)
WRAP(LSTATUS, RegSetValueExA, (HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE *d, DWORD s),
     (k, n, r, t, d, s), Registry, Denied, Denied, (void)0)
HFILE WINAPI W__lclose(HFILE file) {
  // A failed close still closes: the handle is gone either way.
  HFILE result = REAL(_lclose)(file);
  state.handles.erase(AsHandle(file));
  return Faulted(Close, ERROR_WRITE_FAULT) ? HFILE_ERROR : result;
}
HFILE WINAPI W_OpenFile(LPCSTR path, LPOFSTRUCT status, UINT style) {
  if ((style & OF_DELETE) != 0 && Faulted(Delete, ERROR_ACCESS_DENIED)) return HFILE_ERROR;
  return REAL(OpenFile)(path, status, style);
}
DWORD WINAPI W_GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR value,
                                 DWORD size) {
  if (Faulted(ProfileRead, ERROR_ACCESS_DENIED)) {
    // A failed read answers the default, as the profile does when the file cannot be read.
    lstrcpynA(value, fallback != NULL ? fallback : "", static_cast<int>(size));
    return static_cast<DWORD>(lstrlenA(value));
  }
  if (winIni.empty()) return REAL(GetProfileStringA)(section, key, fallback, value, size);
  return GetPrivateProfileStringA(section, key, fallback, value, size, winIni.c_str());
}
BOOL WINAPI W_WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (Faulted(ProfileWrite, ERROR_ACCESS_DENIED)) return FALSE;
  if (winIni.empty()) return REAL(WriteProfileStringA)(section, key, value);
  return WritePrivateProfileStringA(section, key, value, winIni.c_str());
}
DWORD WINAPI W_GetTickCount() {
  return state.clock ? state.now : REAL(GetTickCount)();
}
DWORD WINAPI W_GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (programFile.empty()) return REAL(GetModuleFileNameA)(module, buffer, size);
  // As Windows does: a path that does not fit is cut to size - 1 characters and its NUL.
  lstrcpynA(buffer, programFile.c_str(), static_cast<int>(size));
  if (programFile.size() >= size) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return programFile.size() >= size ? size : static_cast<DWORD>(programFile.size());
}
UINT WINAPI W_GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return AnswerDirectory(systemDirectory, buffer, size, REAL(GetSystemDirectoryA));
}
UINT WINAPI W_GetSystemWow64DirectoryA(LPSTR buffer, UINT size) {
  return AnswerDirectory(wow64Directory, buffer, size, REAL(GetSystemWow64DirectoryA));
}
BOOL WINAPI W_RemoveFontResourceA(LPCSTR resource) {
  // Wine answers FALSE even for a resource it added: the call itself is what is recorded.
  auto found = std::find_if(state.fonts.begin(), state.fonts.end(), [&](const auto &font) {
    return lstrcmpiA(font.first.c_str(), resource) == 0;
  });
  if (found != state.fonts.end()) state.fonts.erase(found);
  return REAL(RemoveFontResourceA)(resource);
}
int WINAPI W_MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  state.boxes.push_back({owner, text != NULL ? text : "", caption != NULL ? caption : "", style});
  if (state.onBox) state.onBox();
  if (state.answers.empty()) return IDOK;
  int answer = state.answers.front();
  state.answers.erase(state.answers.begin());
  return answer;
}
BOOL WINAPI W_PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  BOOL found = REAL(PeekMessageA)(message, window, first, last, remove);
  if (found || !state.clock) return found;
  state.now += state.step;
  auto ready = [](const auto &due) { return static_cast<LONG>(state.now - due.first) >= 0; };
  for (auto due = std::find_if(state.due.begin(), state.due.end(), ready); due != state.due.end();
       due = std::find_if(state.due.begin(), state.due.end(), ready)) {
    std::function<void()> action = due->second;
    state.due.erase(due);
    action();
  }
  // Any action's message is for the next call, as a real message arriving during the wait.
  return FALSE;
}

const std::pair<const char *, void *> entries[] = {
#define SHIM_ENTRY(name) {#name, reinterpret_cast<void *>(&W_##name)},
    SHIM_FUNCTIONS(SHIM_ENTRY)};

}  // namespace

void Install() {
  // The imports of this program: every thunk whose name is one of ours points at its wrapper.
  auto base = reinterpret_cast<BYTE *>(GetModuleHandleA(NULL));
  auto dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
  auto nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
  for (; import->Name != 0; import++) {
    auto names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->OriginalFirstThunk);
    auto slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->FirstThunk);
    for (; names->u1.AddressOfData != 0; names++, slots++) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
      for (int slot = 0; slot < SlotCount; slot++) {
        if (lstrcmpA(entries[slot].first, reinterpret_cast<const char *>(byName->Name)) != 0)
          continue;
        real[slot] = reinterpret_cast<void *>(slots->u1.Function);
        DWORD was;
        VirtualProtect(&slots->u1.Function, sizeof(void *), PAGE_READWRITE, &was);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(entries[slot].second);
        VirtualProtect(&slots->u1.Function, sizeof(void *), was, &was);
      }
    }
  }
}

// clang-format off
void Reset() { state = State(); }
void Pause(bool pause) { paused = pause; }
void StartClock(DWORD start, DWORD step) { state.clock = true, state.now = start, state.step = step; }
// clang-format on

void Fail(int kind, int nth, bool fromThenOn) {
  state.faultKind = kind;
  state.faultNth = nth;
  state.faultBase = kind >= 0 && kind < KindCount ? state.calls[kind] : 0;
  state.fromThenOn = fromThenOn;
}

void SetPaths(const std::string &program, const std::string &system, const std::string &wow64,
              const std::string &ini) {
  programFile = program;
  systemDirectory = system;
  wow64Directory = wow64;
  winIni = ini;
}

}  // namespace shim
