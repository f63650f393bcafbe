// Scenario steps over the scene, the program's windows and genuine input.
#include "steps.h"

#include "broadcast.h"
#include "input.h"
#include "report.h"
#include "scene.h"
#include "screen.h"

namespace {

struct ChildTexts {
  std::vector<std::string> texts;
};

BOOL CALLBACK AddChildText(HWND child, LPARAM data) {
  if (IsWindowVisible(child)) reinterpret_cast<ChildTexts *>(data)->texts.push_back(TextOf(child));
  return TRUE;
}

std::vector<std::string> VisibleTexts(HWND dialog) {
  ChildTexts found;
  EnumChildWindows(dialog, AddChildText, reinterpret_cast<LPARAM>(&found));
  return found.texts;
}

bool Contains(const std::vector<std::string> &texts, const std::string &text) {
  for (const std::string &each : texts) {
    if (each == text) return true;
  }
  return false;
}

// The dialog shows each of these texts in a visible control.
void ExpectTexts(HWND dialog, const std::string &what, const std::vector<std::string> &texts) {
  std::vector<std::string> shown = VisibleTexts(dialog), missing;
  for (const std::string &text : texts) {
    if (!Contains(shown, text)) missing.push_back(text);
  }
  Expect(
      missing.empty(), what + " shows its texts",
      missing.empty() ? Listed(texts) : "missing " + Listed(missing) + " among " + Listed(shown));
}

std::string CountLabel(size_t count) {
  if (count == 0) return "No fonts selected";
  if (count == 1) return "1 font selected";
  return Format("%d fonts selected", static_cast<int>(count));
}

HWND FocusOf(const Program &program) {
  HWND window = FindSeen(program.pid, Seen::Selection);
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    return nullptr;
  return info.hwndFocus;
}

ProgressState ReadProgress(HWND progress) {
  HWND bar = GetDlgItem(progress, 140);
  ProgressState state;
  state.font = ControlText(progress, 111);
  state.file = ControlText(progress, 112);
  state.barShown = IsWindowVisible(bar) != 0;
  state.barWidth = Width(ScreenRect(bar));
  return state;
}

bool SameState(const ProgressState &a, const ProgressState &b) {
  return a.font == b.font && a.file == b.file && a.barShown == b.barShown &&
         a.barWidth == b.barWidth;
}

// Distinct values in order, repeats in a row dropped.
std::vector<std::string> Steps(const std::vector<std::string> &values) {
  std::vector<std::string> steps;
  for (const std::string &value : values) {
    if (steps.empty() || steps.back() != value) steps.push_back(value);
  }
  return steps;
}

// The dialog's centre is where it should be, give or take a pixel of rounding.
bool Near(int a, int b) {
  return a - b <= 1 && b - a <= 1;
}

}  // namespace

std::string ListText(const std::vector<FontLine> &fonts) {
  std::string text;
  for (const FontLine &font : fonts) text += font.file + "  " + font.name + "\r\n";
  return text;
}

bool SetScene(const std::vector<FontLine> &fonts) {
  return SetSceneWithList(fonts, ListText(fonts));
}

bool SetSceneWithList(const std::vector<FontLine> &fonts, const std::string &listBytes) {
  bool ok = LayOutFolder();
  for (const FontLine &font : fonts) {
    if (font.real >= 0) ok = PlaceFont(font.file, font.real) && ok;
  }
  ok = WriteListFile(listBytes) && ok;
  if (!ok) Expect(false, "the scene is laid out", "could not copy the program, a font or the list");
  return ok;
}

std::string UpperFile(const std::string &file) {
  std::string upper = file;
  CharUpperA(&upper[0]);
  return upper;
}

std::string ResourceName(const std::string &file) {
  std::string upper = UpperFile(file);
  size_t dot = upper.rfind('.');
  return upper.substr(0, dot + 1) + "Fot";
}

bool ExpectControlText(HWND dialog, int id, const std::string &what, const std::string &expected,
                       DWORD ms) {
  ms = Patience(ms);
  DWORD start = GetTickCount();
  std::string seen = ControlText(dialog, id);
  while (seen != expected && GetTickCount() - start < ms) {
    Pause(20);
    seen = ControlText(dialog, id);
  }
  return ExpectText(what, expected, seen);
}

HWND OpenOver(Program &program, const std::vector<FontLine> &fonts, const std::string &args) {
  if (!SetScene(fonts)) return nullptr;
  StartListening();
  return OpenSelection(program, args);
}

HWND OpenSelection(Program &program, const std::string &args, int show) {
  if (!StartProgram(program, ProgramPath(), args, show)) {
    Expect(false, "the program starts", "CreateProcess failed");
    return nullptr;
  }
  HWND dialog = WaitSeen(program.pid, Seen::Selection, 10000);
  if (!Expect(dialog != nullptr, "the selection dialog appears", dialog ? "" : "not within 10 s")) {
    for (const std::string &line : VisibleWindows(program.pid)) Note("on screen: %s", line.c_str());
    HWND box = FindSeen(program.pid, Seen::Box);
    if (box) Note("a message box says %s", Quoted(BoxText(box)).c_str());
    return nullptr;
  }
  if (show != SW_SHOWMINNOACTIVE && show != SW_SHOWMINIMIZED && show != SW_MINIMIZE) {
    Expect(
        WaitActive(dialog), "the selection dialog is the active window",
        "active: " + ClassOf(GetForegroundWindow()) + " " + Quoted(TextOf(GetForegroundWindow())));
  }
  return dialog;
}

void ExpectFirstLook(const Program &program, HWND dialog, const std::vector<std::string> &names,
                     bool deleteBox) {
  ExpectText("the selection dialog's caption", Caption, TextOf(dialog));
  ExpectTexts(dialog, "the selection dialog",
              {"Select the fonts you want to install and click on Install.",
               "To exit without installing, click on Cancel.", "The font files will be copied",
               "to Windows directory.", "Select All", "Unselect All", "Install", "Cancel"});
  HWND list = GetDlgItem(dialog, 100);
  std::vector<std::string> items = ListItems(list);
  Expect(items == names, "the list shows the fonts in sorted order",
         "expected " + Listed(names) + ", saw " + Listed(items));
  Expect(SelectedItems(list).empty(), "no font is selected at first", Listed(SelectedItems(list)));
  ExpectControlText(dialog, 110, "the count label at first", "No fonts selected");
  Expect(!IsEnabledControl(dialog, IDOK), "Install is disabled at first", "");
  Expect(IsShownControl(dialog, 120) == deleteBox,
         deleteBox ? "the check box 'Delete original font files' is shown"
                   : "the delete check box is hidden",
         Format("visible: %d", IsShownControl(dialog, 120)));
  if (deleteBox) {
    ExpectText("the check box's text", "Delete original font files", ControlText(dialog, 120));
    ExpectNumber("the check box starts unchecked", BST_UNCHECKED, CheckState(dialog, 120));
  }
  HWND focus = FocusOf(program);
  ExpectText("the keyboard focus starts on", "Select All", TextOf(focus));

  RECT rect = ScreenRect(dialog);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Expect(Near(rect.left, (screenWidth - Width(rect)) / 2) &&
             Near(rect.top, (screenHeight - Height(rect)) / 2),
         "the selection dialog is centred on the screen",
         Format("at %ld,%ld, %dx%d, on a %dx%d screen", rect.left, rect.top, Width(rect),
                Height(rect), screenWidth, screenHeight));

  HWND owner = FindSeen(program.pid, Seen::Owner);
  if (Expect(owner != nullptr, "the owner window exists",
             owner ? "" : "no window of class FontWind")) {
    RECT place = ScreenRect(owner);
    ExpectText("the owner window's caption", Caption, TextOf(owner));
    Expect(place.top >= screenHeight && Width(place) == 0 && Height(place) == 0,
           "the owner window is out of sight, just below the screen",
           Format("at %ld,%ld, %dx%d", place.left, place.top, Width(place), Height(place)));
    Expect(GetWindow(dialog, GW_OWNER) == owner, "the selection dialog is owned by it", "");
  }
}

void ExpectSelection(HWND dialog, const std::vector<std::string> &selected) {
  std::string label = CountLabel(selected.size());
  ExpectControlText(dialog, 110, "the count label", label);
  std::vector<std::string> seen = SelectedItems(GetDlgItem(dialog, 100));
  Expect(seen == selected, "the selected fonts", Listed(seen));
  // The program sets the label first and then enables or disables Install: allow it a moment.
  DWORD start = GetTickCount();
  while ((IsEnabledControl(dialog, IDOK) != 0) != !selected.empty() &&
         GetTickCount() - start < Patience(1000)) {
    Pause(10);
  }
  Expect((IsEnabledControl(dialog, IDOK) != 0) == !selected.empty(),
         selected.empty() ? "Install is disabled" : "Install is enabled", "");
}

void ClickItems(HWND dialog, const std::vector<std::string> &names) {
  HWND list = GetDlgItem(dialog, 100);
  for (const std::string &name : names) {
    int index = ItemIndex(list, name);
    if (!Expect(index >= 0, "the list shows " + Quoted(name), Listed(ListItems(list)))) continue;
    Note("click on the list item %s", Quoted(name).c_str());
    ClickItem(list, index);
  }
}

RunSeen WatchRun(const Program &program, HWND selection) {
  RunSeen run;
  run.progress = WaitSeen(program.pid, Seen::Progress, 5000);
  if (!Expect(run.progress != nullptr, "the progress dialog appears", "")) return run;
  HWND bar = GetDlgItem(run.progress, 140);
  ProgressState first = ReadProgress(run.progress);
  Expect(GetForegroundWindow() == run.progress || WaitActive(run.progress, 2000),
         "the progress dialog is the active window", "");
  run.fullWidth = Width(ScreenRect(bar));
  run.states.push_back(first);
  Expect(first.font.empty() && first.file.empty() && !first.barShown,
         "before the first font both lines are empty and the bar is hidden",
         Format("font %s, file %s, bar shown %d", Quoted(first.font).c_str(),
                Quoted(first.file).c_str(), first.barShown));

  LONG style = GetWindowLongA(run.progress, GWL_STYLE);
  Expect((style & WS_CAPTION) != WS_CAPTION && TextOf(run.progress).empty(),
         "the progress dialog has no title bar and no caption",
         Format("style 0x%08lX, caption %s", style, Quoted(TextOf(run.progress)).c_str()));
  ExpectTexts(run.progress, "the progress dialog", {"Font:", "File:", "Cancel"});
  Expect(GetWindow(run.progress, GW_OWNER) == selection,
         "the progress dialog is owned by the selection dialog", "");
  RECT client;
  GetClientRect(selection, &client);
  POINT corner = {0, 0};
  ClientToScreen(selection, &corner);
  RECT place = ScreenRect(run.progress);
  int centreX = corner.x + (Width(client) - Width(place)) / 2;
  int centreY = corner.y + (Height(client) - Height(place)) / 2;
  Expect(Near(place.left, centreX) && Near(place.top, centreY),
         "the progress dialog is centred over the selection dialog",
         Format("at %ld,%ld; the middle is %d,%d", place.left, place.top, centreX, centreY));
  Expect(!IsWindowEnabled(selection), "the selection dialog is disabled during the run", "");
  WatchMore(program, run);
  return run;
}

void WatchMore(const Program &program, RunSeen &run) {
  run.box = nullptr;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < Patience(60000)) {
    if (!IsShown(run.progress) || !Running(program)) return;
    ProgressState state = ReadProgress(run.progress);
    if (!SameState(state, run.states.back())) run.states.push_back(state);
    run.box = FindSeen(program.pid, Seen::Box);
    if (run.box) return;
    Pause(10);
  }
  Expect(false, "the run ends within a minute", "it went on");
}

std::vector<int> BarWidths(const RunSeen &run, const std::vector<FontLine> &handled,
                           const std::vector<FontLine> &selected) {
  long long total = 0, done = 0;
  for (const FontLine &font : selected) total += RealFontSize(font.real);
  std::vector<int> widths;
  for (const FontLine &font : handled) {
    done += RealFontSize(font.real);
    int percent = static_cast<int>(done * 100.0 / total + 0.5);
    widths.push_back(MulDiv(run.fullWidth, percent, 100));
  }
  return widths;
}

HWND WaitFontAtWork(const Program &program, const std::string &font, DWORD ms) {
  HWND progress = WaitSeen(program.pid, Seen::Progress, 5000);
  if (!Expect(progress != nullptr, "the progress dialog appears", "")) return nullptr;
  DWORD start = GetTickCount();
  while (ControlText(progress, 111) != font && GetTickCount() - start < Patience(ms)) Pause(5);
  ExpectText("the line 'Font:' comes to name", font, ControlText(progress, 111));
  return progress;
}

void ExpectRunShown(const RunSeen &run, const std::vector<FontLine> &fonts,
                    const std::vector<int> &widths) {
  std::vector<std::string> fontLines, fileLines, barLines;
  for (const ProgressState &state : run.states) {
    if (!state.font.empty()) fontLines.push_back(state.font);
    if (!state.file.empty()) fileLines.push_back(state.file);
    if (state.barShown) barLines.push_back(Format("%d", state.barWidth));
  }
  std::vector<std::string> expectedFonts, expectedFiles, expectedBars;
  for (const FontLine &font : fonts) {
    expectedFonts.push_back(font.name);
    expectedFiles.push_back(UpperFile(font.file));
  }
  for (int width : widths) expectedBars.push_back(Format("%d", width));
  Expect(Steps(fontLines) == Steps(expectedFonts), "the line 'Font:' named, in turn",
         "expected " + Listed(Steps(expectedFonts)) + ", saw " + Listed(Steps(fontLines)));
  Expect(Steps(fileLines) == Steps(expectedFiles), "the line 'File:' named, in turn",
         "expected " + Listed(Steps(expectedFiles)) + ", saw " + Listed(Steps(fileLines)));
  Expect(Steps(barLines) == Steps(expectedBars),
         Format("the bar grew (of %d pixels) through the widths", run.fullWidth),
         "expected " + Listed(Steps(expectedBars)) + ", saw " + Listed(Steps(barLines)));
}

HWND ExpectBox(const Program &program, const std::string &text, bool withCancel, DWORD ms) {
  HWND box = WaitSeen(program.pid, Seen::Box, ms);
  if (!Expect(box != nullptr, "a message box appears for " + Quoted(text),
              box ? "" : "none came")) {
    for (const std::string &line : VisibleWindows(program.pid)) Note("on screen: %s", line.c_str());
    return nullptr;
  }
  ExpectText("the message box says", text, BoxText(box));
  Expect(WaitActive(box), "the message box is the active window",
         "active: " + ClassOf(GetForegroundWindow()) + " " + Quoted(TextOf(GetForegroundWindow())));
  std::vector<std::string> expected = {"OK"};
  if (withCancel) expected.push_back("Cancel");
  std::vector<std::string> buttons = BoxButtons(box);
  Expect(buttons == expected, "the message box's buttons", Listed(buttons));
  return box;
}

void Answer(HWND box, int id) {
  Note("click %s in the message box", Quoted(ControlText(box, id)).c_str());
  ClickControl(box, id);
  Expect(WaitGone(box, 5000), "the message box goes away", "");
}

std::string Summary(int added) {
  if (added == 1) return "1 new TrueType font is now available.";
  return Format("%d new TrueType fonts are now available.", added);
}

void AnswerSummary(const Program &program, int added, DWORD ms) {
  HWND box = ExpectBox(program, Summary(added), false, ms);
  if (box) Answer(box, IDOK);
}

void InstallRoad(const Program &program, HWND dialog, const std::vector<FontLine> &selected,
                 bool byEnter) {
  Note(byEnter ? "press Enter" : "click Install");
  if (byEnter) {
    PressKey(VK_RETURN);
  } else {
    ClickControl(dialog, IDOK);
  }
  RunSeen run = WatchRun(program, dialog);
  ExpectRunShown(run, selected, BarWidths(run, selected, selected));
  HWND box = ExpectBox(program, Summary(static_cast<int>(selected.size())), false);
  if (box) {
    Expect(GetWindow(box, GW_OWNER) == run.progress, "the summary is owned by the progress dialog",
           "");
    Answer(box, IDOK);
  }
  Expect(WaitGone(run.progress, 5000), "the progress dialog closes", "");
  ExpectExit(program, 0);
  std::vector<std::string> heard = TakeBroadcasts();
  Expect(heard == std::vector<std::string>{"WM_FONTCHANGE", "WM_WININICHANGE 'Fonts'"},
         "another program's window was told", Listed(heard));
  for (const FontLine &font : selected) {
    ExpectInstalled(font);
    ExpectSourceKept(font, true);
  }
}

void ExpectExit(const Program &program, DWORD code, DWORD ms) {
  DWORD seen = WaitExit(program, ms);
  if (seen == STILL_ACTIVE) {
    Expect(false, "the program ends", Format("still running after %lu ms", ms));
    for (const std::string &line : VisibleWindows(program.pid)) Note("on screen: %s", line.c_str());
    return;
  }
  ExpectNumber("the program's exit code", code, seen);
}

long long RealFontSize(int real) {
  return FileSize(RealFontPath(real));
}

void ExpectInstalled(const FontLine &font) {
  std::string upper = UpperFile(font.file), resource = ResourceName(font.file);
  Expect(SameBytes(InSystemFolder(upper), RealFontPath(font.real)),
         "the system directory holds " + upper + " with the font's bytes",
         Format("size %lld", FileSize(InSystemFolder(upper))));
  Expect(FileSize(InSystemFolder(resource)) > 0, "the system directory holds " + resource,
         Format("size %lld", FileSize(InSystemFolder(resource))));
  ExpectText("WIN.INI [Fonts] " + Quoted(font.name), resource, FontsKey(font.name));
}

void ExpectNotInstalled(const FontLine &font) {
  std::string upper = UpperFile(font.file), resource = ResourceName(font.file);
  Expect(!FileExists(InSystemFolder(upper)), upper + " is not in the system directory", "");
  Expect(!FileExists(InSystemFolder(resource)), resource + " is not in the system directory", "");
  ExpectText("WIN.INI [Fonts] " + Quoted(font.name), "", FontsKey(font.name));
}

void ExpectSourceKept(const FontLine &font, bool kept) {
  bool present = FileExists(InFolder(font.file));
  Expect(present == kept,
         font.file + (kept ? " is still beside the program" : " was deleted beside the program"),
         Format("present: %d", present));
}

void ExpectInstalledAs(const std::vector<FontLine> &fonts, const char *pattern) {
  for (size_t i = 0; i < fonts.size() && pattern[i]; i++) {
    if (pattern[i] == '1') {
      ExpectInstalled(fonts[i]);
    } else {
      ExpectNotInstalled(fonts[i]);
    }
  }
}
