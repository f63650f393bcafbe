// What the installation run needs of its host, the progress dialog: the pacing pump, the bar and
// the two text lines. The run knows its host only through these.
#pragma once

#include <windows.h>

#include "resource.h"

// The two text lines the run fills for each font: its font name and its upper-case file name.
constexpr int RunFontLine = IDC_STATFONT;
constexpr int RunFileLine = IDC_STATFILE;

// Dispatches the thread's messages for 500 ms; 0 when the run is to stop.
int PumpMessages(HWND hDlg);
// Records the bar's full rectangle; called once at the start of a run.
void CaptureStatBar(HWND hDlg);
// Shows percent (0..100) of the bar's full width.
void UpdateStatBar(HWND hDlg, int percent);
