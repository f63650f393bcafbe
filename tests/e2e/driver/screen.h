// What a person sees of the program: its windows, found among the desktop's top-level windows by
// process and kind, their texts and places, the task bar, and waiting for any of it.
#pragma once

#include <windows.h>

#include <string>

// The program's caption on every window and message box.
constexpr const char *Caption = "TrueType Fonts Installation";

enum class Seen {
  Owner,      // class FontWind: the owner window, out of sight below the screen
  Selection,  // a visible dialog with the font list
  Progress,   // a visible dialog with the bar
  Box,        // a visible message box with the program's caption
  Menu,       // a visible pop-up menu (class #32768)
};

// The first such window of process pid, or null.
HWND FindSeen(DWORD pid, Seen kind);
HWND WaitSeen(DWORD pid, Seen kind, DWORD ms = 5000);
// Polls until the window is destroyed or hidden; true when it went within ms.
bool WaitGone(HWND window, DWORD ms = 5000);
// Polls until the window is the active one, then lets it settle: Wine's virtual desktop activates
// a new window a moment after showing it, and a click before that can be taken for the
// activation alone.
bool WaitActive(HWND window, DWORD ms = 3000);
// Whether window a lies above window b in the desktop's z-order.
bool Above(HWND a, HWND b);

std::string TextOf(HWND window);
std::string ControlText(HWND dialog, int id);
RECT ScreenRect(HWND window);

// How long to wait for something the program does: ms times QB_E2E_TIME_SCALE (default 1), for
// machines where the program runs many times slower (32-bit Wine under an emulator).
DWORD Patience(DWORD ms);
// Waits ms milliseconds, handling messages sent to the driver's own windows meanwhile.
void Pause(DWORD ms);
// Polls `done` every 20 ms, for up to Patience(ms); true when it came true.
template <typename Done>
bool WaitUntil(Done done, DWORD ms) {
  DWORD start = GetTickCount();
  for (ms = Patience(ms); !done(); Pause(20)) {
    if (GetTickCount() - start >= ms) return false;
  }
  return true;
}
