// The installation run: installs the selected candidates one after another.
#pragma once

#include <windows.h>

// Runs inside the progress dialog hDlg, which is the owner of every message box the run shows.
void InstallFonts(HWND hDlg);
