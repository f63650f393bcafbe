// The steps that scenarios are made of: building the scene, opening the selection dialog and
// checking its first look, watching a run in the progress dialog, answering message boxes, and
// checking what the program left on disk and in WIN.INI.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "process.h"

// One line of the list file: the file name as the list spells it, the font name, and the real
// font lying beside the program under that name (-1: no file beside the program).
struct FontLine {
  std::string file;
  std::string name;
  int real;
};

// "FILE  Name\r\n" for each line.
std::string ListText(const std::vector<FontLine> &fonts);
// The program's folder with Quillbox.exe, the fonts and the list file; false (after a FAIL) when
// the scene could not be built.
bool SetScene(const std::vector<FontLine> &fonts);
bool SetSceneWithList(const std::vector<FontLine> &fonts, const std::string &listBytes);

// The names the run and WIN.INI use: SERIF1.TTF for serif1.ttf, SERIF1.Fot for it.
std::string UpperFile(const std::string &file);
std::string ResourceName(const std::string &file);

// Waits until the text of control id is `expected` (up to ms) and checks it.
bool ExpectControlText(HWND dialog, int id, const std::string &what, const std::string &expected,
                       DWORD ms = 3000);

// Starts the program and waits for its selection dialog (a FAIL and null when it does not come).
HWND OpenSelection(Program &program, const std::string &args = "", int show = SW_SHOWNORMAL);
// Lays out the scene, listens for broadcasts and opens the selection dialog (null after a FAIL).
HWND OpenOver(Program &program, const std::vector<FontLine> &fonts, const std::string &args = "");
// What a person sees first: caption, texts, the sorted names, nothing selected, "No fonts
// selected", Install disabled, the check box shown only with /d, focus on Select All, the dialog
// centred on the screen, and the owner window out of sight below it.
void ExpectFirstLook(const Program &program, HWND dialog, const std::vector<std::string> &names,
                     bool deleteBox);
// The count label and whether Install is enabled, after the program had time to react.
void ExpectSelection(HWND dialog, const std::vector<std::string> &selected);
// Clicks the items with these texts.
void ClickItems(HWND dialog, const std::vector<std::string> &names);

// What the progress dialog showed while the run worked.
struct ProgressState {
  std::string font;  // line 111
  std::string file;  // line 112
  bool barShown;
  int barWidth;
};
struct RunSeen {
  HWND progress = nullptr;
  int fullWidth = 0;  // the bar's width before the run moved it: its whole extent
  std::vector<ProgressState> states;
  HWND box = nullptr;  // the message box that interrupted the watch, if any
};
// Waits for the progress dialog and checks its look (no title bar, texts, centred over the
// selection dialog, both lines empty and the bar hidden at first); then records until a message
// box appears, the dialog goes or the program ends.
RunSeen WatchRun(const Program &program, HWND selection);
// Records on after a message box was answered.
void WatchMore(const Program &program, RunSeen &run);
// The bar widths the run must show after each of the handled fonts, of the bytes of all the
// selected fonts.
std::vector<int> BarWidths(const RunSeen &run, const std::vector<FontLine> &handled,
                           const std::vector<FontLine> &selected);
// Waits for the progress dialog and then until its line 'Font:' names `font`; the dialog, or null
// after a FAIL when it did not appear.
HWND WaitFontAtWork(const Program &program, const std::string &font, DWORD ms = 5000);
// Checks the distinct font lines, file lines and bar widths seen, in order.
void ExpectRunShown(const RunSeen &run, const std::vector<FontLine> &fonts,
                    const std::vector<int> &widths);

// Waits for a message box of the program and checks its text and buttons: OK alone, or OK and
// Cancel. Returns it (null after a FAIL when none came).
HWND ExpectBox(const Program &program, const std::string &text, bool withCancel, DWORD ms = 8000);
// Clicks button id of the box and waits until the box is gone.
void Answer(HWND box, int id);
// "1 new TrueType font is now available." and its plural.
std::string Summary(int added);
// Waits for the summary of `added` fonts and answers OK.
void AnswerSummary(const Program &program, int added, DWORD ms = 8000);
// Clicks Install (or presses Enter, with `byEnter`), watches the run over the fonts that are
// selected, checks what it showed and the summary, owned by the progress dialog, and the end: the
// dialogs go, the program ends with 0, and the other programs were told once that the font table
// changed. The fonts are then installed and still beside the program.
void InstallRoad(const Program &program, HWND dialog, const std::vector<FontLine> &selected,
                 bool byEnter = false);

void ExpectExit(const Program &program, DWORD code = 0, DWORD ms = 8000);

long long RealFontSize(int real);
// The font's four marks: the upper-case copy with the real font's bytes, the .Fot file beside it,
// the WIN.INI key with the .Fot name.
void ExpectInstalled(const FontLine &font);
// None of the four marks.
void ExpectNotInstalled(const FontLine &font);
// Whether the file beside the program is still there.
void ExpectSourceKept(const FontLine &font, bool kept);
// ExpectInstalled for the fonts whose flag is '1' in `pattern` ("101"), ExpectNotInstalled for '0'.
void ExpectInstalledAs(const std::vector<FontLine> &fonts, const char *pattern);
