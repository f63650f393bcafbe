// The test program's seam into the platform: entries of its own import address table point at
// wrappers that count the calls the program makes, fail the nth call of a kind, answer message
// boxes from a queue, run GetTickCount on a virtual clock and say where the program's directory,
// the system directory and WIN.INI are. Everything else goes to the real function under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
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

// Patches the program's imports once; main() calls it before any test.
void Install();
// Message boxes never show: each is recorded and answered from a queue.
struct Box {
  HWND owner;
  std::string text, caption;
  UINT style;
};

// What the shim records of the program's calls and is told to answer; tests read and set it.
struct State {
  int calls[KindCount] = {};
  int faultKind = -1, faultNth = 0, faultBase = 0, fired = 0;  // fired: the fault's firings
  bool fromThenOn = false;
  std::vector<int> answers;     // the coming boxes' answers (IDOK once empty; 0: the box fails)
  std::vector<Box> boxes;       // every box shown
  std::function<void()> onBox;  // called at each box before its answer, inside the run
  bool clock = false;           // GetTickCount answers now, which each PeekMessageA that finds
  DWORD now = 0, step = 0;      // no message moves by step; each due action runs once
  std::multimap<DWORD, std::function<void()>> due;
  std::set<HANDLE> handles;  // files, searches and registry keys open
  std::set<HGLOBAL> blocks;  // memory blocks alive
  int damagedBlocks = 0;     // blocks that failed Wine's heap validation when moved or freed
  std::vector<std::pair<std::string, int>> fonts;  // resources added and not removed, and fonts
  std::vector<UINT> broadcasts;                    // messages sent to every top-level window
};
extern State state;

// Forgets faults, counts, boxes, broadcasts and the clock; the paths stay.
void Reset();
// Makes the nth call of kind (from now on, 1 = the next) fail, and with fromThenOn every later
// one too. One fault at a time.
void Fail(int kind, int nth, bool fromThenOn = false);
// While paused, calls are neither counted nor failed: the test's own work between the program's.
void Pause(bool paused);
void StartClock(DWORD start, DWORD step);
// Where the program lies (GetModuleFileNameA of any module), the system directory
// (GetSystemDirectoryA, given as it is to be answered), the folder GetSystemWow64DirectoryA
// names, and the file that stands for WIN.INI. Empty: the real one.
void SetPaths(const std::string &programFile, const std::string &systemDirectory,
              const std::string &wow64Directory, const std::string &winIni);

}  // namespace shim
