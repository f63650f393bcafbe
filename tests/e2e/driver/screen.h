// What a person sees of the program: its windows, found among the desktop's top-level windows by
// process, class and caption, and the texts, list items, states and places of their controls.
// Texts are read as Unicode and converted with the ANSI code page, so they come back as the
// bytes the program handed to the platform.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program's caption on every window and message box.
constexpr const char *Caption = "TrueType Fonts Installation";

enum class Seen {
  Owner,      // class FontWind: the hidden owner window
  Selection,  // the selection dialog: a visible dialog with the font list (id 100)
  Progress,   // the progress dialog: a visible dialog with the bar (id 140)
  Box,        // a visible message box: a dialog with the caption and a text (id 0xFFFF)
};

// The first such window of process pid, or null. pid 0: any process.
HWND FindSeen(DWORD pid, Seen kind);
// Polls for the window up to ms milliseconds.
HWND WaitSeen(DWORD pid, Seen kind, DWORD ms);
// Polls until the window is gone (or hidden) up to ms milliseconds; true when gone.
bool WaitGone(HWND window, DWORD ms);
// Polls until the window is the active (foreground) window, then lets it settle; true when it
// became active within ms. Wine's virtual desktop activates a new window a moment after showing
// it, and a click before that can be taken for the activation alone.
bool WaitActive(HWND window, DWORD ms = 3000);
// Whether window a lies above window b in the desktop's z-order.
bool Above(HWND a, HWND b);
// Every visible top-level window of the process, as "class 'caption'" lines, for the log.
std::vector<std::string> VisibleWindows(DWORD pid);

std::string TextOf(HWND window);
std::string ControlText(HWND dialog, int id);
std::string ClassOf(HWND window);
bool IsShown(HWND window);  // exists and visible
bool IsEnabledControl(HWND dialog, int id);
bool IsShownControl(HWND dialog, int id);
// A check box's BM_GETCHECK state (-1 when the program does not answer).
long long CheckState(HWND dialog, int id);
RECT ScreenRect(HWND window);
int Width(const RECT &rect);
int Height(const RECT &rect);

// List boxes of another process: items read with LB_GETTEXT as Unicode.
std::vector<std::string> ListItems(HWND list);
std::vector<std::string> SelectedItems(HWND list);
int ItemIndex(HWND list, const std::string &text);  // -1 when not listed

// A message box: its text, and whether it shows the button with this id (1 OK, 2 Cancel).
std::string BoxText(HWND box);
bool BoxHasButton(HWND box, int id);
std::vector<std::string> BoxButtons(HWND box);

// How long to wait for something the program does: ms times QB_E2E_TIME_SCALE (default 1), for
// machines where the program runs many times slower (32-bit Wine under an emulator).
DWORD Patience(DWORD ms);
// Waits ms milliseconds, handling messages sent to the driver's own window meanwhile.
void Pause(DWORD ms);
