// The main road through the real program, with keys alone: Escape leaves it; Enter, Tab and
// Enter install the listed fonts, which are copied, get their .Fot files and WIN.INI entries and
// are announced, and the program ends. `make demo` shows the same road with six fonts.
#include "broadcast.h"
#include "input.h"
#include "report.h"
#include "resource.h"
#include "scenarios.h"
#include "screen.h"
#include "steps.h"
#include "xserver.h"

namespace {

// The fonts `make demo` offers: six real fonts, one listed in lower case.
const std::vector<FontLine> DemoFonts = {
    {"DEJASANS.TTF", "Demo DejaVu Sans", 0},      {"DEJASANB.TTF", "Demo DejaVu Sans Bold", 1},
    {"dejamono.ttf", "Demo DejaVu Sans Mono", 2}, {"LIBSANS.TTF", "Demo Liberation Sans", 4},
    {"LIBSERIF.TTF", "Demo Liberation Serif", 5}, {"LIBMONO.TTF", "Demo Liberation Mono", 6}};

// Installs every listed font with keys alone, as a person who knows the dialog would: Enter on
// Select All (where the focus starts), Tab twice to Install, Enter, and OK on the summary. The
// program's own loop gives the dialog these keys. A screenshot of each of the four moments.
void InstallByKeys(const std::vector<FontLine> &fonts) {
  StartListening();
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  Shot("1-selection");
  Note("press Enter, then Tab twice");
  PressKey(VK_RETURN);
  ExpectInstallEnabled(dialog);
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  Shot("2-selected");
  Note("press Enter");
  PressKey(VK_RETURN);
  HWND progress = WaitSeen(program.pid, Seen::Progress);
  const std::string &middle = fonts[fonts.size() / 2].name;
  if (Expect(WaitUntil([&] { return ControlText(progress, IDC_STATFONT) == middle; }, 8000),
             "the run comes to " + middle, ControlText(progress, IDC_STATFONT))) {
    Shot("3-progress");
  }
  HWND box = ExpectBox(program, Summary(static_cast<int>(fonts.size())), 15000);
  if (!box) return;
  Shot("4-summary");
  Answer(box, IDOK);
  Expect(WaitGone(progress) && WaitGone(dialog), "the progress and selection dialogs close");
  ExpectExit(program);
  ExpectText("the program told the other windows", "WM_FONTCHANGE WM_WININICHANGE 'Fonts' ",
             TakeBroadcasts());
  for (const FontLine &font : fonts) {
    ExpectInstalled(font);
    Expect(FileExists(InFolder(font.file)), font.file + " is still beside the program");
    Note("installed " + font.file + ": WIN.INI [Fonts] " + font.name + "=" + FontsKey(font.name));
  }
}

}  // namespace

void RoadOfOneFont() {
  const FontLine harbor = {"HARBOR.TTF", "Harbor Sans", 0};
  if (!Expect(SetScene({harbor}), "the program's folder is laid out")) return;
  std::string winIni = WinIni();
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  Note("press Escape");
  PressKey(VK_ESCAPE);
  Expect(WaitGone(dialog), "Escape closes the selection dialog");
  ExpectExit(program);
  Expect(WinIni() == winIni, "WIN.INI is unchanged");
  ExpectInstalled(harbor, false);
  Note("start again");
  InstallByKeys({harbor});
}

void DemoFolder() {
  // Only the scene, for a person to use the program on a display.
  Expect(SetScene(DemoFonts), "the demo folder is laid out", "C:\\Fonts Kit");
}

void Demo() {
  if (Expect(SetScene(DemoFonts), "the program's folder is laid out")) InstallByKeys(DemoFonts);
}
