// Genuine input, as a person gives it: SendInput moves the mouse and presses its buttons or a key,
// and Wine delivers that like input from the X server to whatever window lies under the pointer
// or has the keyboard focus. Places are found as a person finds them, on the screen.
#pragma once

#include <windows.h>

// Moves the pointer to screen point x, y and clicks there with the left button (or the right).
void ClickAt(int x, int y, bool right = false);
// Clicks the middle of a window: a control, a button on the task bar.
void ClickWindow(HWND window, bool right = false);
void ClickControl(HWND dialog, int id);
// Clicks the part of a window's frame that answers WM_NCHITTEST with `hit` (HTCLOSE,
// HTMINBUTTON, HTCAPTION), searched along the middle of its title bar.
void ClickFrame(HWND window, int hit);
void PressKey(WORD key);
