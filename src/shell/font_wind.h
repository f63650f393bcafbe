// The owner window FontWind: invisible, parked below the screen, owns the selection dialog.
#pragma once

#include <windows.h>

LRESULT CALLBACK FontWindProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a window to just below the primary screen, keeping its size.
void ParkOffScreen(HWND hwnd);
