// The program's few globals and its private messages. One thread, one run per process:
// the state lives here rather than being passed around, as in any small Windows program.
#pragma once

#include <windows.h>

// The caption of every window and message box.
constexpr const char *AppCaption = "TrueType Fonts Installation";

// Private messages, each sent or posted with wParam 0 and lParam 0.
constexpr UINT WM_OPENFONTDIAL = WM_USER + 200;  // owner window: create and show the selection dialog
constexpr UINT WM_RUNINSTALL = WM_USER + 201;    // selection dialog: open the progress dialog;
                                                 // progress dialog: run the installation
constexpr UINT WM_STOPINSTALL = WM_USER + 202;   // progress dialog: stop the run and end the dialog

extern HINSTANCE hInst;       // the module instance
extern HWND hFontDial;        // the selection dialog, null until created
extern int ShowDeleteOption;  // "/d" was given: show the delete check box
extern int DeleteOriginals;   // delete each source file after its font was installed
