// The test program's seam into the platform: entries of its own import address table point at
// wrappers that count the calls the program makes, fail the nth call of a kind, answer message
// boxes from a queue, run GetTickCount on a virtual clock and say where the program's directory,
// the system directory and WIN.INI are. Everything else goes to the real function under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace shim {

// The kinds of call a fault can hit (a road's fault byte counts them in this order, from 1).
enum Kind {
  Allocation,      // GlobalAlloc, GlobalReAlloc
  Open,            // _lopen, CreateFileA, FindFirstFileA
  Create,          // _lcreat
  Read,            // _lread
  Write,           // _lwrite
  Close,           // _lclose
  Delete,          // OpenFile with OF_DELETE, DeleteFileA
  ProfileWrite,    // WriteProfileStringA
  ProfileRead,     // GetProfileStringA
  CreateResource,  // CreateScalableFontResourceA
  AddResource,     // AddFontResourceA
  Move,            // MoveFileExA
  Registry,        // RegOpenKeyExA, RegSetValueExA
  KindCount
};
const char *KindName(int kind);

// Patches the program's imports once; main() calls it before any test.
void Install();
// Forgets faults, counts, boxes, broadcasts and the clock; the paths stay.
void Reset();

// Makes the nth call of kind (from now on, 1 = the next) fail, and with fromThenOn every later
// one too. One fault at a time.
void Fail(int kind, int nth, bool fromThenOn = false);
int FaultsFired();
// While paused, calls are neither counted nor failed: the test's own work between the program's.
void Pause(bool paused);

// Message boxes never show: each is recorded and answered from the queue (IDOK when it is
// empty; 0 makes the box itself fail).
struct Box {
  HWND owner;
  std::string text, caption;
  UINT style;
};
void Answer(int button);
const std::vector<Box> &Boxes();
// Called for each box before it is answered (a test may act from inside the run here).
void OnBox(std::function<void()> action);

// The virtual clock: once started, GetTickCount answers it, and each PeekMessageA that finds no
// message moves it by step milliseconds. An action set with At runs once when it is due.
void StartClock(DWORD start, DWORD step);
DWORD Now();
void At(DWORD when, std::function<void()> action);

// Where the program lies (GetModuleFileNameA of any module), the system directory
// (GetSystemDirectoryA, given as it is to be answered), the folder GetSystemWow64DirectoryA
// names, and the file that stands for WIN.INI. Empty: the real one.
void SetPaths(const std::string &programFile, const std::string &systemDirectory,
              const std::string &wow64Directory, const std::string &winIni);

// What the program holds: files and searches open, registry keys open, memory blocks alive and
// locks not released.
int OpenHandles();
int LiveBlocks();
// Blocks that failed Wine's heap validation when they were moved or freed.
int DamagedBlocks();
// Font resources added and not removed (paths as given, and the fonts each added), and
// broadcasts sent, in order.
std::vector<std::pair<std::string, int>> FontResources();
std::vector<UINT> Broadcasts();

}  // namespace shim
