// Test control for winsim: a fresh simulated machine per test, its clock, its faults, and what
// it recorded. Tests include this beside <windows.h>; the program itself never does.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace winsim {

// ---------------------------------------------------------------- the machine

// Starts a fresh machine whose drive C: is the host folder hostRoot (which must exist): no open
// files, no memory blocks, no faults, no records, the clock at 0, the default module path
// C:\QB\QUILLBOX.EXE, Windows directory C:\WINDOWS and system directory C:\WINDOWS\SYSTEM (all
// three directories created on the host). The current directory is the module's directory.
void Reset(const std::string &hostRoot);

// Reset, but drive C: is a tree in memory instead of a host folder: the same lookup without
// regard to case, attributes, sizes, handles and faults, without a system call, for runs that lay
// out a whole drive per case (the fuzzer, the tests' sandbox). HostPath aborts on it; the drive
// calls below reach it.
void ResetInMemory();

// Reset (or ResetInMemory) for the lifetime of a scope; at its end every further winsim call that
// needs the machine (all but the pure text and arithmetic ones) aborts until the next Reset, so
// that a test cannot lean on a machine that another test left behind.
struct InMemory {};
class Machine {
 public:
  explicit Machine(const std::string &hostRoot) { Reset(hostRoot); }
  explicit Machine(InMemory) { ResetInMemory(); }
  ~Machine();
  Machine(const Machine &) = delete;
  Machine &operator=(const Machine &) = delete;
};

// Where things are. Each setter takes a Windows path and creates the directory on the drive.
// SetSystemDirectory keeps a trailing backslash if given one, as GetSystemDirectoryA reports it.
void SetModulePath(const std::string &winPath);
void SetWindowsDirectory(const std::string &winPath);
void SetSystemDirectory(const std::string &winPath);
HINSTANCE ModuleHandle();

// The host path that a Windows path stands for: every existing component found without regard to
// case, the rest as written. Aborts for a path that is not on drive C: and on a drive in memory.
std::string HostPath(const std::string &winPath);
// The fully qualified, normalised form of a Windows path, as OF_PARSE gives it.
std::string FullPath(const std::string &winPath);

// Drive C:'s files on either backing, for setting a test up and checking it; none of these is a
// file call (nothing is counted, no fault fires). WriteDriveFile creates or replaces a file in an
// existing directory; ReadDriveFile is false when no file is there; DriveFileNames and DriveFiles
// give a directory's files (not its subdirectories) by their names as stored, the latter with
// their bytes.
bool WriteDriveFile(const std::string &winPath, const std::string &bytes);
bool ReadDriveFile(const std::string &winPath, std::string *bytes);
std::vector<std::string> DriveFileNames(const std::string &winDir);
std::map<std::string, std::string> DriveFiles(const std::string &winDir);

// ---------------------------------------------------------------- the clock

// GetTickCount returns the clock and then advances it by the step (10 ms unless set), so that a
// loop polling it makes progress. Sleep advances it by its argument at once.
void SetTicks(DWORD ticks);
void AdvanceTicks(DWORD milliseconds);
void SetTickStep(DWORD milliseconds);
DWORD Ticks();
DWORD SleptMilliseconds();  // sum of all Sleep arguments since Reset

// ---------------------------------------------------------------- faults

// A fault fires at the nth matching call (1 = the first call after it was set); Once fires there
// only, FromThenOn at that call and every later matching one.
enum class Times { Once, FromThenOn };

// Memory: GlobalAlloc and GlobalReAlloc counted together; the size variant counts only the
// calls that ask for exactly that many bytes.
void FailAllocation(int nth, Times times = Times::Once);
void FailAllocationOfSize(size_t bytes, int nth, Times times = Times::Once);
// A GlobalAlloc or GlobalReAlloc of `requested` bytes gets a block of `granted` bytes.
void GrantSize(size_t requested, size_t granted);

// Files, by Windows path (compared after normalisation, without regard to case).
void FailOpen(const std::string &winPath, int nth = 1, Times times = Times::FromThenOn);  // _lopen
void FailCreate(const std::string &winPath, int nth = 1,
                Times times = Times::FromThenOn);  // _lcreat
void FailClose(const std::string &winPath);  // every _lclose of a handle opened on the path fails
// Each handle opened on the path delivers at most `bytes` bytes in all; reads past that come short.
void ShortRead(const std::string &winPath, size_t bytes);
// Each handle opened on the path takes at most `bytes` bytes in all (a full disk): a write that
// crosses the limit writes what fits and returns that count, one at the limit returns HFILE_ERROR.
void ShortWrite(const std::string &winPath, size_t bytes);

// Every file call of one kind counted together, whatever its path, for sweeps over a whole run:
// the nth _lopen or _lcreat fails with HFILE_ERROR; the nth _lread delivers half of what was asked
// (rounded down); the nth _lwrite writes half and returns that count, or HFILE_ERROR when half
// is nothing; the nth _lclose returns HFILE_ERROR (the handle is closed all the same); the nth
// OpenFile with OF_DELETE fails and leaves the file.
enum class FileCall { Open, Create, Read, Write, Close, Delete };
void FailFileCall(FileCall call, int nth, Times times = Times::Once);
int FileCallCount(FileCall call);  // the calls of that kind since Reset

// WIN.INI: WriteProfileStringA fails (returns FALSE, changes nothing).
void FailProfileWrite(int nth = 1, Times times = Times::FromThenOn);
// WIN.INI cannot be read: GetProfileStringA gives the default, as for a missing key.
void FailProfileRead(int nth = 1, Times times = Times::FromThenOn);

// Fonts: CreateScalableFontResourceA fails without creating anything; AddFontResourceA returns 0.
void FailCreateScalableFontResource(int nth = 1, Times times = Times::FromThenOn);
void FailAddFontResource(int nth = 1, Times times = Times::FromThenOn);
// A successful AddFontResourceA returns this count instead of the number of fonts it found.
void SetAddFontResourceResult(int count);

// The registry's font list (HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts, the one key
// winsim has): RegSetValueExA fails with ERROR_ACCESS_DENIED and changes nothing.
void FailRegistryWrite(int nth = 1, Times times = Times::FromThenOn);
// Values as the test lays them out and as the program left them, by name as written.
void SetFontValue(const std::string &name, const std::string &text);
std::map<std::string, std::string> FontValues();
// The process is a 32-bit one on 64-bit Windows: IsWow64Process says so, and
// GetSystemWow64DirectoryA names systemDirForAll (the folder 64-bit processes reach it by).
void SetWow64(const std::string &systemDirForAll);

void ClearFaults();
// How many times an armed fault of this part (memory, files, profile, fonts) has fired since
// Reset: a sweep is over once a run ends with this unchanged.
int FaultsFired();

// ---------------------------------------------------------------- counters and records

int OpenFileHandles();      // _lopen and _lcreat handles, and FindFirstFileA searches
int OpenIdentityHandles();  // CreateFileA handles (the file identity's)
int LiveBlocks();
int LockedBlocks();
int AllocationCount();                         // GlobalAlloc and GlobalReAlloc calls since Reset
const std::vector<size_t> &AllocationSizes();  // the byte counts asked of GlobalAlloc, in order
int InvalidHandleUses();  // calls that were handed a freed or unknown memory or file handle

// The font table: one entry per successful AddFontResourceA not yet removed, as full paths.
std::vector<std::string> FontResources();

// ---------------------------------------------------------------- message boxes

struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  UINT style;
};

// Answers are taken in order, one per MessageBoxA; the box's first button (IDOK for MB_OK and
// MB_OKCANCEL) when the queue is empty. IDCANCEL for a box with OK alone gives IDOK, as Escape
// does there; an answer the box does not offer aborts. An answer of 0 makes MessageBoxA fail, as
// it does when the box cannot be created.
void QueueMessageBoxAnswer(int answer);
const std::vector<MessageBoxRecord> &MessageBoxes();

// ---------------------------------------------------------------- broadcasts

// What was sent to HWND_BROADCAST. For WM_WININICHANGE the text that lParam points to is kept,
// since the pointer itself means nothing once the call has returned.
struct BroadcastRecord {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string text;
};
const std::vector<BroadcastRecord> &Broadcasts();

namespace detail {
// Aborts the test program with the name of the unsupported call, flag or mode.
[[noreturn]] void Unsupported(const char *what);
}  // namespace detail

}  // namespace winsim
