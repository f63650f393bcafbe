// Input for the selection dialog tests, with one half per platform: under Wine real input through
// SendInput, which Wine delivers like a user's; on the host winsim's simulated input.
#pragma once

#include <windows.h>

// Makes the window the active, foreground window, so that keys reach its focus.
void BringToFront(HWND window);
// A left click (press and release) at the centre of a control, or on a list box item. False when
// a person could not click there (hidden or disabled).
bool ClickControl(HWND control);
bool ClickListItem(HWND listBox, int index);
// A key press and release, to the window with the keyboard focus.
void PressKey(UINT virtualKey);
// Gives input that is on its way a moment to arrive (under Wine); returns at once on the host.
void WaitForInput();
