// The owner window FontWind: invisible, parked below the screen, owns the selection dialog.
#pragma once

#include <windows.h>

constexpr const char *OwnerClassName = "FontWind";
// The message of every failure to create one of the program's windows.
constexpr const char *NoMemoryText = "Available memory is not enough.";

// C linkage: the executable exports the procedure under this plain name.
extern "C" LRESULT CALLBACK FontWindProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a window to just below the primary screen, keeping its size.
void ParkOffScreen(HWND hwnd);
