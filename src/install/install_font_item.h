// The work on one selected font: the seven checks and actions that install it, and the
// message box that reports the first one that fails.
#pragma once

#include <windows.h>

#include "catalog/font_table.h"

// Installs item, reporting a failure in a message box owned by hDlg. Returns 0 when the user
// answered that message with Cancel (the run stops), else 1. *added receives the number of fonts
// the item added to the system when every step passed, else 0.
int InstallFontItem(HWND hDlg, const FontItem *item, int *added);
