// The owner window FontWind: invisible, parked below the screen, owns the selection dialog.
#pragma once

#include <windows.h>

constexpr const char *OwnerClassName = "FontWind";
// Posted by the owner window to itself, with wParam 0 and lParam 0: create and show the
// selection dialog.
constexpr UINT WM_OPENFONTDIAL = WM_USER + 200;

// C linkage: the executable exports the procedure under this plain name.
extern "C" LRESULT CALLBACK FontWindProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Moves a window to just below the primary screen, keeping its size.
void ParkOffScreen(HWND hwnd);
