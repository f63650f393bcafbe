// Genuine input, as a person gives it: SendInput moves the mouse and presses its button or a key,
// and Wine delivers that like input from the X server to whatever window lies under the pointer
// or has the keyboard focus. Places are found as a person finds them, on the screen.
#pragma once

#include <windows.h>

// Moves the pointer to screen point x, y and clicks the left button there.
void ClickAt(int x, int y);
// Clicks the middle of a control of a dialog.
bool ClickControl(HWND dialog, int id);
// Clicks the middle of a list box item (its rectangle from LB_GETITEMRECT).
bool ClickItem(HWND list, int index);
// Clicks the part of a window's frame that answers WM_NCHITTEST with `hit` (HTCLOSE,
// HTMINBUTTON, HTCAPTION), searched along the middle of its title bar.
bool ClickFrame(HWND window, int hit);
// Presses and releases a key, with Shift or Alt held when asked.
void PressKey(WORD key);
void PressKeyWith(WORD modifier, WORD key);
