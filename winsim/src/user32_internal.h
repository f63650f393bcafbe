// The fake window manager's shared state: windows, classes, the one thread's message queue,
// activation and focus, and the records that tests read. Not part of the test API.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winsim/sim.h"
#include "winsim/user32_sim.h"

namespace winsim::user32::internal {

// Private SetWindowPos flags, as Windows computes them for WM_WINDOWPOSCHANGED.
constexpr UINT SwpNoClientSize = 0x0800;
constexpr UINT SwpNoClientMove = 0x1000;
constexpr UINT SwpStateChanged = 0x8000;

// The built-in classes a window can have; Program is any class registered with RegisterClassA.
enum class Kind { Program, Dialog, Button, Static, ListBox };

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  Kind kind = Kind::Program;
  WNDPROC proc = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  HINSTANCE instance = nullptr;
};

// What a control keeps beside its window (list box items, button state).
struct ControlState {
  virtual ~ControlState() = default;
};

// The dialog manager's per-dialog data (Windows' DIALOGINFO).
struct DialogInfo {
  DLGPROC proc = nullptr;
  HWND focus = nullptr;      // control that had the focus when the dialog was deactivated
  INT_PTR result = IDOK;     // default button id until EndDialog, then EndDialog's value
  bool ended = false;        // EndDialog was called
  int baseX = 0, baseY = 0;  // dialog base units
  std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> internalProc;  // winsim's own (message boxes)
};

struct Window {
  HWND handle = nullptr;
  const WindowClass *windowClass = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  HWND parent = nullptr;  // WS_CHILD windows only
  HWND owner = nullptr;   // top-level windows only
  int id = 0;
  HINSTANCE instance = nullptr;
  RECT rect = {};  // window rectangle in the parent's client coordinates (screen if top-level)
  RECT normalRect = {};  // the rectangle to restore while minimised
  HWND lastActive = nullptr;
  bool hiddenWithOwner = false;  // hidden by its owner's minimise, shown again by its restore
  bool destroying = false;
  std::vector<HWND> children;  // z-order, which is creation order: the first is on top
  std::unique_ptr<DialogInfo> dialog;
  std::unique_ptr<ControlState> control;
};

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
};

struct FaultPlan {
  int nth = 0;  // 0: none
  winsim::Times times = winsim::Times::Once;
  int calls = 0;
};

struct Desk {
  std::map<HWND, std::unique_ptr<Window>> windows;
  std::vector<HWND> topLevel;  // z-order, first on top
  std::vector<std::unique_ptr<WindowClass>> classes;
  std::deque<MSG> queue;
  bool quitPosted = false;
  int quitCode = 0;
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  std::vector<Hook> hooks;
  int screenWidth = 1024, screenHeight = 768;
  int scrollWidth = 17, scrollHeight = 17;
  int fontUnitX = 7, fontUnitY = 16;
  std::vector<Message> messages;
  std::vector<Call> calls;
  FaultPlan faults[4];
  bool faultFired = false;
  std::deque<std::function<void()>> idleActions;
  std::function<void(HWND box, const winsim::MessageBoxRecord &record)> messageBoxHook;
  int modalDepth = 0;  // message boxes running their loop (idle actions wait for them)
};

Desk &TheDesk();
void RegisterBuiltinClasses();
// Removes a destroyed window from the desk (its memory is kept until the next reset).
void Bury(HWND hwnd);
int RunMessageBox(HWND owner, const MessageBoxRecord &box, int answer);

// Window lookup: nullptr for a handle that names no live window.
Window *Find(HWND hwnd);
const WindowClass *LookupClass(LPCSTR name);
const WindowClass *BuiltinClass(Kind kind);

// Calls into code outside winsim (window procedures, dialog procedures, hooks and test actions)
// go through here: the program's calls made from inside them are program calls again.
LRESULT CallWindowProcedure(Window *window, UINT message, WPARAM wParam, LPARAM lParam,
                            bool posted);
void CallOutside(const std::function<void()> &call);

// Program-level API entry: records the call (only when the program made it, not winsim itself),
// and checks that a machine is running.
class Entry {
 public:
  Entry(const char *name, HWND hwnd = nullptr, std::vector<intptr_t> args = {},
        const char *text = nullptr);
  ~Entry();
  Entry(const Entry &) = delete;
  Entry &operator=(const Entry &) = delete;
  bool FromProgram() const { return fromProgram_; }
  // Counts a call of a fault-injectable operation; true when the test asked it to fail.
  bool ShouldFail(Operation operation);

 private:
  bool fromProgram_;
  size_t record_;
};

// Marks test-control code as winsim's own, so the API calls it makes are not recorded.
class Quiet {
 public:
  Quiet();
  ~Quiet();
  Quiet(const Quiet &) = delete;
  Quiet &operator=(const Quiet &) = delete;
};

// Geometry.
RECT ClientRectInWindow(const Window *window);  // client area inside the window rectangle
POINT ClientOrigin(const Window *window);       // client area's top-left on the screen
RECT ScreenRect(const Window *window);
int Metric(int index);
void AdjustRect(RECT *rect, DWORD style, DWORD exStyle);
// Moves, sizes, shows, hides and re-orders, with WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED.
BOOL SetPosition(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

// Activation and focus.
void Activate(HWND hwnd, bool setFocus);
void ActivateOtherWindow(HWND hwnd);
HWND SetFocusTo(HWND hwnd);
HWND TopLevelOf(HWND hwnd);
bool IsDescendant(HWND parent, HWND child);
bool CanActivate(HWND hwnd);

// Messages.
BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Takes the next message that passes the filter; with wait, runs the test's idle actions and
// aborts when nothing can ever arrive.
// Program-level PeekMessageA also runs them when it finds nothing.
bool NextMessage(MSG *msg, UINT first, UINT last, bool remove, bool wait, bool idleActions);

// Showing and the default window procedure.
BOOL ShowWindowNow(HWND hwnd, int command);
void ShowOwnedPopups(HWND owner, bool show);
LRESULT DefaultProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Window life.
HWND Create(DWORD exStyle, const WindowClass *windowClass, LPCSTR name, DWORD style, int x, int y,
            int cx, int cy, HWND parentOrOwner, int id, HINSTANCE instance, LPVOID param);
void DiscardAll();  // reset: frees every window without a message

// Procedures of the built-in classes.
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Where a person clicks item `index` of a list box, scrolling it into view first; false when
// the window is not a list box or has no such item.
bool ListItemPoint(HWND listBox, int index, POINT *point);

// Dialogs.
using InternalDialogProc = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;
// Builds a dialog from a DLGTEMPLATE; with modalOwner, disables the owner first and reports it.
// winsim's own dialogs (message boxes) pass an internal procedure instead of a DLGPROC.
HWND CreateDialogFromTemplate(HINSTANCE instance, const BYTE *bytes, size_t size, HWND owner,
                              DLGPROC proc, LPARAM param, HWND *modalOwner,
                              InternalDialogProc internalProc = nullptr);
// Wine's modal loop; with whenIdle (message boxes), that runs instead of waiting on an empty queue.
INT_PTR RunModalLoop(HWND dialog, const std::function<void()> &whenIdle);
void DialogEnd(HWND dialog, INT_PTR result);

// Resources: the bytes of a resource of the given type and name (name or MAKEINTRESOURCE id).
bool FindResourceBytes(LPCSTR type, LPCSTR name, const BYTE **bytes, size_t *size);

// MulDiv's arithmetic (rounded to the nearest, halves away from zero), for dialog units.
int Scale(int value, int numerator, int denominator);

// Text helpers.
bool SameTextIgnoringCase(const std::string &a, const std::string &b);
std::string MessageName(UINT message);

}  // namespace winsim::user32::internal
