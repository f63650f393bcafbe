// Test control for winsim's window manager: the screen, input given as a person gives it, what
// the program called and what each window received, faults, and moments at which a test acts.
// Tests include this beside <windows.h>; the program itself never does. winsim::Reset clears it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winsim/sim.h"

namespace winsim::user32 {

// ---------------------------------------------------------------- the screen and the system font

// Defaults are those of Wine under a 1024 x 768 Xvfb: scroll bars 17 pixels, dialog base units
// 7 x 16 (the system font), so dialog templates come out in the same pixels as under Wine.
void SetScreenSize(int width, int height);
void SetScrollBarSize(int verticalWidth, int horizontalHeight);
void SetDialogBaseUnits(int x, int y);

// ---------------------------------------------------------------- input, as a person gives it

// Each posts to the thread's queue what the mouse or keyboard would, so that whichever loop runs
// next (the program's, a dialog's, a message box's) sees it, IsDialogMessageA included.
// A click at the window's centre: WM_LBUTTONDOWN and WM_LBUTTONUP. Returns false, posting
// nothing, when a person could not click it: hidden, disabled, or in a disabled window.
bool Click(HWND window);
// A click on item `index` of a list box (scrolled into view first, as a person would).
bool ClickListItem(HWND listBox, int index);
// A key pressed and released on the window with the focus (WM_KEYDOWN, WM_KEYUP). Supported:
// VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_UP, VK_DOWN, VK_HOME, VK_END, 'A'..'Z', '0'..'9'.
void PressKey(UINT virtualKey);

// ---------------------------------------------------------------- moments to act

// Runs the action when a message loop next finds the thread's queue empty (GetMessageA about to
// wait, PeekMessageA finding nothing, a modal dialog's loop going idle), one action per such
// moment, in the order given. Not inside a message box, which answers at that moment instead.
// GetMessageA with an empty queue and no action left aborts the test: nothing could ever come.
void WhenIdle(std::function<void()> action);
size_t PendingIdleActions();

// Runs for every message box once it is shown, before its loop dispatches what is queued and
// before it answers with the answer queued by winsim::QueueMessageBoxAnswer. Clicking one of its
// buttons (ids IDOK, IDCANCEL; its text has id 0xFFFF) or posting WM_COMMAND answers it too.
void OnMessageBox(std::function<void(HWND box, const MessageBoxRecord &record)> hook);

// ---------------------------------------------------------------- records

// Every message that reached a window procedure, in order: sent (SendMessageA or sent by the
// window manager itself) or posted (taken from the queue and dispatched).
struct Message {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool posted;
};
const std::vector<Message> &Messages();
std::vector<Message> MessagesFor(HWND hwnd);

// Every USER32 call that the program (not winsim itself) made, in order, with its arguments as
// integers and its text argument, if any. Message broadcasts are kept by winsim::Broadcasts().
struct Call {
  std::string name;
  HWND hwnd;
  std::vector<intptr_t> args;
  std::string text;
  bool failedByTest;  // a fault set by the test made it fail
};
const std::vector<Call> &Calls();
std::vector<Call> CallsNamed(const std::string &name);

void ClearRecords();
std::string Describe(const Message &message);  // "WM_CLOSE posted to 0x10024 wParam=0 lParam=0"
std::string Describe(const Call &call);        // "ShowWindow(0x10024, 5)"
std::string MessageName(UINT message);

// Expected sequences in the manner of Wine's message tests: flush (ClearRecords), act, compare.
enum SequenceFlags : unsigned {
  Sent = 1u << 0,      // reached the procedure directly
  Posted = 1u << 1,    // taken from the queue and dispatched
  WParam = 1u << 2,    // compare wParam
  LParam = 1u << 3,    // compare lParam
  Optional = 1u << 4,  // may be missing
};
struct Expected {
  HWND hwnd;
  UINT message;
  unsigned flags;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
// Compares the messages recorded since ClearRecords, of the given windows and message numbers
// only (those that carry the contract), with the table. Returns "" when they match, otherwise
// what differs and both sequences, for the test to print.
std::string CompareMessages(const std::vector<HWND> &windows, const std::vector<UINT> &watched,
                            const std::vector<Expected> &expected);

// ---------------------------------------------------------------- faults

// The program's calls of these operations can be made to fail, as on a machine short of memory:
// RegisterClassA returns 0, CreateWindowExA and CreateDialogParamA NULL, DialogBoxParamA -1, in
// each case without creating anything. Counted from the next call on (1 = the next call).
enum class Operation { RegisterClass, CreateWindow, CreateDialog, DialogBox };
void Fail(Operation operation, int nth = 1, Times times = Times::Once);
int CallCount(Operation operation);  // the program's calls since Reset
bool FaultFired();                   // since Reset or the last ClearUserFaults
void ClearUserFaults();

// ---------------------------------------------------------------- the window manager's state

size_t QueuedMessages();              // posted and not yet taken
std::vector<HWND> TopLevelWindows();  // live top-level windows, in z-order (top first)
int LiveWindows();                    // every live window, controls included

}  // namespace winsim::user32
