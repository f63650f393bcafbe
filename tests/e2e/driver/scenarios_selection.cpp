// The selection dialog: choosing with the mouse, Select All and Unselect All, the delete option,
// and the ways of leaving without installing.
#include "broadcast.h"
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "steps.h"

void SelectAllAndUnselectAll() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Mono", 6},
                                       {"BIRCH.TTF", "Birch Serif", 5},
                                       {"CEDAR.TTF", "Cedar Sans", 4}};
  Program program;
  HWND dialog = OpenOver(program, fonts);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, {"Alder Mono", "Birch Serif", "Cedar Sans"}, false);
  ClickItems(dialog, {"Alder Mono"});
  ExpectSelection(dialog, {"Alder Mono"});
  ClickItems(dialog, {"Cedar Sans"});
  ExpectSelection(dialog, {"Alder Mono", "Cedar Sans"});
  ClickItems(dialog, {"Alder Mono"});
  ExpectSelection(dialog, {"Cedar Sans"});
  Note("click Select All");
  ClickControl(dialog, 130);
  ExpectSelection(dialog, {"Alder Mono", "Birch Serif", "Cedar Sans"});
  Note("click Unselect All");
  ClickControl(dialog, 131);
  ExpectSelection(dialog, {});
  ClickItems(dialog, {"Cedar Sans", "Birch Serif"});
  ExpectSelection(dialog, {"Birch Serif", "Cedar Sans"});
  InstallRoad(program, dialog, {fonts[1], fonts[2]});
  ExpectNotInstalled(fonts[0]);
}

void DeleteOption() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Mono", 6},
                                       {"BIRCH.TTF", "Birch Serif", 5},
                                       {"cedar.ttf", "Cedar Sans", 4}};
  if (!SetScene(fonts)) return;
  // The option is the whole command line, "/d" in either case, and nothing else.
  struct OptionCase {
    const char *args;
    bool shown;
  };
  for (const OptionCase &row : {OptionCase{"/D", true}, OptionCase{"-d", false},
                                OptionCase{"/d x", false}, OptionCase{"/dd", false}}) {
    Note("case: command line %s", Quoted(row.args).c_str());
    Program program;
    HWND dialog = OpenSelection(program, row.args);
    if (!dialog) return;
    Expect(IsShownControl(dialog, 120) == row.shown,
           Format("the delete check box is %s", row.shown ? "shown" : "hidden"), "");
    ClickControl(dialog, IDCANCEL);
    ExpectExit(program, 0);
  }

  Note("case: command line '/d', the box checked, Birch fails on the way");
  Program program;
  HWND dialog = OpenSelection(program, "/d");
  if (!dialog) return;
  ExpectFirstLook(program, dialog, {"Alder Mono", "Birch Serif", "Cedar Sans"}, true);
  Note("click the check box");
  ClickControl(dialog, 120);
  Pause(200);
  ExpectNumber("the check box is checked", BST_CHECKED, CheckState(dialog, 120));
  Note("BIRCH.Fot appears in the system directory after the list was read");
  WriteBytes(InSystemFolder("BIRCH.Fot"), "an older resource file");
  ClickControl(dialog, 130);
  ExpectSelection(dialog, {"Alder Mono", "Birch Serif", "Cedar Sans"});
  ClickControl(dialog, IDOK);
  RunSeen run = WatchRun(program, dialog);
  HWND box = ExpectBox(program, "Cannot create the resource file 'BIRCH.FOT'.", true);
  if (box) Answer(box, IDOK);
  WatchMore(program, run);
  AnswerSummary(program, 2);
  ExpectExit(program, 0);
  ExpectInstalled(fonts[0]);
  ExpectInstalled(fonts[2]);
  ExpectSourceKept(fonts[0], false);
  ExpectSourceKept(fonts[1], true);
  ExpectSourceKept(fonts[2], false);
  Expect(!FileExists(InSystemFolder("BIRCH.TTF")), "BIRCH.TTF was not copied", "");
  ExpectText("WIN.INI [Fonts] 'Birch Serif'", "", FontsKey("Birch Serif"));
}

void LeaveWithoutInstalling() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Mono", 6}};
  if (!SetScene(fonts)) return;
  struct Way {
    const char *context;
    void (*leave)(HWND dialog);
  };
  const Way ways[] = {
      {"the Cancel button", [](HWND dialog) { ClickControl(dialog, IDCANCEL); }},
      {"the Escape key", [](HWND) { PressKey(VK_ESCAPE); }},
      {"the close box", [](HWND dialog) { ClickFrame(dialog, HTCLOSE); }},
      {"Alt+F4", [](HWND) { PressKeyWith(VK_MENU, VK_F4); }},
  };
  std::string winIni = WinIni();
  for (const Way &way : ways) {
    Note("case: %s, with a font selected", way.context);
    StartListening();
    Program program;
    HWND dialog = OpenSelection(program);
    if (!dialog) return;
    ClickItems(dialog, {"Alder Mono"});
    ExpectSelection(dialog, {"Alder Mono"});
    way.leave(dialog);
    Expect(WaitGone(dialog, 5000), "the selection dialog closes", "");
    Expect(FindSeen(program.pid, Seen::Progress) == nullptr, "no progress dialog appeared", "");
    ExpectExit(program, 0);
    ExpectNotInstalled(fonts[0]);
    ExpectSourceKept(fonts[0], true);
    Expect(WinIni() == winIni, "WIN.INI is unchanged", "");
    std::vector<std::string> heard = TakeBroadcasts();
    Expect(heard.empty(), "nothing was broadcast", Listed(heard));
  }
}
