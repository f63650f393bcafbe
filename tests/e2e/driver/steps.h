// The steps that scenarios are made of: opening the selection dialog, answering the program's
// message boxes, and checking the end: the exit code and what the program left in the system
// directory and WIN.INI.
#pragma once

#include <windows.h>

#include <string>

#include "process.h"
#include "scene.h"

// Starts the program (with the command-line tail args) and waits for its selection dialog to be
// shown and active; null after a FAIL.
HWND OpenSelection(Program &program, const std::string &args = "");
// Waits until Install is enabled, as it is once a font is selected.
bool ExpectInstallEnabled(HWND dialog);
// Waits for a message box of the program and checks its text; the box, or null after a FAIL.
HWND ExpectBox(const Program &program, const std::string &text, DWORD ms = 8000);
// Clicks button id (IDOK, IDCANCEL) of the box and waits until the box is gone.
void Answer(HWND box, int id);
// The summary for `added` fonts: "1 new TrueType font is now available." and its plural.
std::string Summary(int added);
// The program ends with exit code 0.
void ExpectExit(const Program &program, DWORD ms = 8000);
// Installed: the system directory holds the upper-case copy with the real font's bytes and the
// .Fot file named after it, and WIN.INI [Fonts] names the .Fot file for the font name. Not
// installed: none of the three.
void ExpectInstalled(const FontLine &font, bool installed = true);
