// The installation run as a person lives through it: fonts that fail on the way and the two
// answers to their message, Cancel in the progress dialog, and the refused close request.
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "steps.h"

namespace {

// Starts the program over these fonts, selects them all and presses Install.
bool StartRun(Program &program, HWND &dialog, const std::vector<FontLine> &fonts,
              void (*afterListRead)() = nullptr) {
  dialog = OpenOver(program, fonts);
  if (!dialog) return false;
  if (afterListRead) afterListRead();
  ClickControl(dialog, 130);
  ExpectControlText(dialog, 110, "the count label",
                    Format("%d fonts selected", static_cast<int>(fonts.size())));
  Note("click Install");
  ClickControl(dialog, IDOK);
  return true;
}

int ShownWidth(const RunSeen &run) {
  HWND bar = GetDlgItem(run.progress, 140);
  return IsWindowVisible(bar) ? Width(ScreenRect(bar)) : -1;
}

void BreakFontsOnTheWay() {
  Note(
      "after the list was read: BIRCH.TTF is removed, CEDAR.Fot appears, 'Elm Sans' is "
      "registered");
  RemoveFile(InFolder("BIRCH.TTF"));
  WriteBytes(InSystemFolder("CEDAR.Fot"), "an older resource file");
  SetFontsKey("Elm Sans", "ELM.Fot");
}

void RemoveBirch() {
  Note("after the list was read: BIRCH.TTF is removed");
  RemoveFile(InFolder("BIRCH.TTF"));
}

}  // namespace

void FailuresAnsweredOk() {
  // Alder and Dogwood install (Dogwood's WIN.INI key exists with an empty value, which counts as
  // absent); Birch, Cedar and Elm fail with the message of their check, each answered OK.
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5},
                                       {"cedar.ttf", "Cedar Sans", 6},
                                       {"DOGWOOD.TTF", "Dogwood Sans", 7},
                                       {"ELM.TTF", "Elm Sans", 2}};
  LayOutFolder();
  SetFontsKey("Dogwood Sans", "");
  Program program;
  HWND dialog = nullptr;
  if (!StartRun(program, dialog, fonts, BreakFontsOnTheWay)) return;
  RunSeen run = WatchRun(program, dialog);
  std::vector<int> widths = BarWidths(run, fonts, fonts);
  struct Failure {
    const char *message;
    int barAfter;  // index of the last font handled before the message
  };
  const Failure failures[] = {{"Cannot copy the font file 'BIRCH.TTF'.", 0},
                              {"Cannot create the resource file 'CEDAR.FOT'.", 1},
                              {"Cannot install the font 'Elm Sans'.", 3}};
  for (const Failure &failure : failures) {
    HWND box = ExpectBox(program, failure.message, true);
    if (!box) return;
    ExpectNumber("the bar's width while the message is up", widths[failure.barAfter],
                 ShownWidth(run));
    Answer(box, IDOK);
    WatchMore(program, run);
  }
  HWND box = ExpectBox(program, Summary(2), false);
  if (box) {
    ExpectNumber("the bar's width under the summary", run.fullWidth, ShownWidth(run));
    Answer(box, IDOK);
  }
  ExpectRunShown(run, fonts, widths);
  ExpectExit(program, 0);
  ExpectInstalled(fonts[0]);
  ExpectInstalled(fonts[3]);
  Expect(!FileExists(InSystemFolder("BIRCH.TTF")) && !FileExists(InSystemFolder("BIRCH.Fot")),
         "nothing of Birch in the system directory", "");
  Expect(!FileExists(InSystemFolder("CEDAR.TTF")), "CEDAR.TTF was not copied", "");
  ExpectText("the older CEDAR.Fot is left as it was", "an older resource file",
             ReadBytes(InSystemFolder("CEDAR.Fot")));
  ExpectText("WIN.INI [Fonts] 'Cedar Sans'", "", FontsKey("Cedar Sans"));
  Expect(!FileExists(InSystemFolder("ELM.TTF")) && !FileExists(InSystemFolder("ELM.Fot")),
         "nothing of Elm in the system directory", "");
  ExpectText("WIN.INI [Fonts] 'Elm Sans' keeps its value", "ELM.Fot", FontsKey("Elm Sans"));
}

void FailureAnsweredCancel() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5},
                                       {"CEDAR.TTF", "Cedar Sans", 6}};
  Program program;
  HWND dialog = nullptr;
  if (!StartRun(program, dialog, fonts, RemoveBirch)) return;
  RunSeen run = WatchRun(program, dialog);
  std::vector<int> widths = BarWidths(run, {fonts[0]}, fonts);
  HWND box = ExpectBox(program, "Cannot copy the font file 'BIRCH.TTF'.", true);
  if (!box) return;
  Answer(box, IDCANCEL);
  WatchMore(program, run);
  box = ExpectBox(program, Summary(1), false);
  if (box) {
    ExpectNumber("the bar keeps its width under the summary", widths[0], ShownWidth(run));
    Answer(box, IDOK);
  }
  ExpectRunShown(run, {fonts[0], fonts[1]}, widths);
  ExpectExit(program, 0);
  ExpectInstalled(fonts[0]);
  ExpectNotInstalled(fonts[2]);
  ExpectSourceKept(fonts[2], true);
}

void CancelDuringRun() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5},
                                       {"CEDAR.TTF", "Cedar Sans", 6},
                                       {"DOGWOOD.TTF", "Dogwood Sans", 7}};
  Program program;
  HWND dialog = nullptr;
  if (!StartRun(program, dialog, fonts)) return;
  HWND progress = WaitFontAtWork(program, "Birch Sans");
  if (!progress) return;
  std::string before = ControlText(progress, 111);
  Note("click Cancel in the progress dialog while it shows %s", Quoted(before).c_str());
  Expect(GetForegroundWindow() == progress, "the progress dialog is the active window", "");
  ClickControl(progress, IDCANCEL);
  std::string after = ControlText(progress, 111);
  ExpectText("the font at work when Cancel was clicked", "Birch Sans", before);
  Expect(WaitGone(progress, 3000), "the progress dialog closes", "");
  AnswerSummary(program, 2);
  ExpectExit(program, 0);
  ExpectInstalledAs(fonts, "1100");
  if (after != before) Note("the line changed to %s while clicking", Quoted(after).c_str());
}

void CloseRefusedDuringRun() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Sans", 4},
                                       {"BIRCH.TTF", "Birch Sans", 5},
                                       {"CEDAR.TTF", "Cedar Sans", 6}};
  Program program;
  HWND dialog = nullptr;
  if (!StartRun(program, dialog, fonts)) return;
  HWND owner = FindSeen(program.pid, Seen::Owner);
  if (!Expect(WaitSeen(program.pid, Seen::Progress, 5000) != nullptr, "the progress dialog appears",
              "")) {
    return;
  }
  Note("post WM_CLOSE to the owner window while the progress dialog is up");
  PostMessageA(owner, WM_CLOSE, 0, 0);
  RunSeen run = WatchRun(program, dialog);
  Expect(IsWindow(dialog) && IsWindow(owner), "the selection dialog and the owner window remain",
         "");
  HWND box = ExpectBox(program, Summary(3), false);
  if (!box) return;
  Note("post WM_CLOSE to the owner window while the summary is up");
  PostMessageA(owner, WM_CLOSE, 0, 0);
  Pause(500);
  Expect(IsShown(box) && IsWindow(dialog), "the summary and the selection dialog remain", "");
  Answer(box, IDOK);
  ExpectRunShown(run, fonts, BarWidths(run, fonts, fonts));
  ExpectExit(program, 0);
  for (const FontLine &font : fonts) ExpectInstalled(font);
}
