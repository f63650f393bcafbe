// The main road: fonts listed, selected, installed and announced, and the program gone.
#include <algorithm>

#include "broadcast.h"
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "shot.h"
#include "steps.h"

namespace {

std::vector<long long> Sizes(const std::vector<FontLine> &fonts) {
  std::vector<long long> sizes;
  for (const FontLine &font : fonts) sizes.push_back(RealFontSize(font.real));
  return sizes;
}

long long Sum(const std::vector<long long> &sizes) {
  long long sum = 0;
  for (long long size : sizes) sum += size;
  return sum;
}

std::string Summary(int added) {
  if (added == 1) return "1 new TrueType font is now available.";
  return Format("%d new TrueType fonts are now available.", added);
}

// After the summary was answered: the dialogs go, the program ends with 0, and the other
// programs were told once that the font table changed.
void ExpectEnd(const Program &program, const RunSeen &run, bool announced) {
  Expect(WaitGone(run.progress, 5000), "the progress dialog closes", "");
  ExpectExit(program, 0);
  std::vector<std::string> expected;
  if (announced) expected = {"WM_FONTCHANGE", "WM_WININICHANGE 'Fonts'"};
  std::vector<std::string> heard = TakeBroadcasts();
  Expect(heard == expected, "another program's window was told", Listed(heard));
}

// Selects every listed font with Select All, installs, and checks the road to the summary.
void InstallAll(const std::vector<FontLine> &fonts, const std::vector<std::string> &sorted) {
  if (!SetScene(fonts)) return;
  StartListening();
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, sorted, false);
  Note("click Select All");
  ClickControl(dialog, 130);
  ExpectSelection(dialog, sorted);
  Note("click Install");
  ClickControl(dialog, IDOK);
  RunSeen run = WatchRun(program, dialog);
  std::vector<long long> sizes = Sizes(fonts);
  ExpectRunShown(run, fonts, BarWidths(run.fullWidth, sizes, Sum(sizes)));
  HWND box = ExpectBox(program, Summary(static_cast<int>(fonts.size())), false);
  if (box) Answer(box, IDOK);
  ExpectEnd(program, run, true);
  for (const FontLine &font : fonts) {
    ExpectInstalled(font);
    ExpectSourceKept(font, true);
  }
}

}  // namespace

void RoadOfOneFont() {
  const std::vector<FontLine> fonts = {{"HARBOR.TTF", "Harbor Sans", 0}};
  if (!SetScene(fonts)) return;
  StartListening();
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, {"Harbor Sans"}, false);
  ClickItems(dialog, {"Harbor Sans"});
  ExpectSelection(dialog, {"Harbor Sans"});
  Note("click Install");
  ClickControl(dialog, IDOK);
  RunSeen run = WatchRun(program, dialog);
  ExpectRunShown(run, fonts, BarWidths(run.fullWidth, Sizes(fonts), Sum(Sizes(fonts))));
  HWND box = ExpectBox(program, Summary(1), false);
  if (box) {
    Expect(GetWindow(box, GW_OWNER) == run.progress, "the summary is owned by the progress dialog",
           "");
    Answer(box, IDOK);
  }
  ExpectEnd(program, run, true);
  ExpectInstalled(fonts[0]);
  ExpectSourceKept(fonts[0], true);
}

void SeveralFontsOneInLowerCase() {
  // Table order (the list file's) differs from the sorted order the dialog shows; the run goes
  // in table order.
  InstallAll({{"MAPLE.TTF", "Maple Serif", 3},
              {"harbor.ttf", "Harbor Sans", 0},
              {"CEDAR.TTF", "Cedar Mono", 2}},
             {"Cedar Mono", "Harbor Sans", "Maple Serif"});
}

void HighByteFontName() {
  // Every byte from 0x80 to 0xFF in the two font names (0xA0 last of the first: it is not a
  // blank and must stay), and a file name with an accented small letter.
  std::string upperHalf, lowerHalf;
  for (int c = 0x80; c < 0xC0; c++) upperHalf += static_cast<char>(c);
  for (int c = 0xC0; c <= 0xFF; c++) lowerHalf += static_cast<char>(c);
  std::rotate(upperHalf.begin(), upperHalf.begin() + 0x21, upperHalf.end());
  const std::vector<FontLine> fonts = {{"ACCENT.TTF", upperHalf, 4}, {"caf\xE9.ttf", lowerHalf, 5}};
  if (!SetScene(fonts)) return;
  StartListening();
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  std::vector<std::string> items = ListItems(GetDlgItem(dialog, 100));
  std::vector<std::string> sortedItems = items, expected = {upperHalf, lowerHalf};
  std::sort(sortedItems.begin(), sortedItems.end());
  std::sort(expected.begin(), expected.end());
  Expect(sortedItems == expected, "the list shows both names byte for byte", Listed(items));
  ClickControl(dialog, 130);
  ExpectSelection(dialog, items);
  ClickControl(dialog, IDOK);
  RunSeen run = WatchRun(program, dialog);
  ExpectRunShown(run, fonts, BarWidths(run.fullWidth, Sizes(fonts), Sum(Sizes(fonts))));
  HWND box = ExpectBox(program, Summary(2), false);
  if (box) Answer(box, IDOK);
  ExpectEnd(program, run, true);
  for (const FontLine &font : fonts) ExpectInstalled(font);
}

void EnterInstalls() {
  // First start: a click on one font and Enter (Install is the default button). Second start:
  // keys alone: Enter on Select All, Tab twice to Install, Enter.
  const std::vector<FontLine> fonts = {{"LINDEN.TTF", "Linden Sans", 4},
                                       {"BIRCH.TTF", "Birch Serif", 5}};
  if (!SetScene(fonts)) return;
  StartListening();
  Program first;
  HWND dialog = OpenSelection(first);
  if (!dialog) return;
  ClickItems(dialog, {"Linden Sans"});
  ExpectSelection(dialog, {"Linden Sans"});
  Note("press Enter");
  PressKey(VK_RETURN);
  RunSeen run = WatchRun(first, dialog);
  ExpectRunShown(run, {fonts[0]}, BarWidths(run.fullWidth, {1}, 1));
  HWND box = ExpectBox(first, Summary(1), false);
  if (box) Answer(box, IDOK);
  ExpectEnd(first, run, true);
  ExpectInstalled(fonts[0]);
  ExpectNotInstalled(fonts[1]);

  Note("start again: only the font not yet installed is offered");
  Program second;
  dialog = OpenSelection(second);
  if (!dialog) return;
  ExpectFirstLook(second, dialog, {"Birch Serif"}, false);
  Note("press Enter (the focus is on Select All)");
  PressKey(VK_RETURN);
  ExpectSelection(dialog, {"Birch Serif"});
  Note("press Tab twice and Enter");
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  PressKey(VK_RETURN);
  run = WatchRun(second, dialog);
  ExpectRunShown(run, {fonts[1]}, BarWidths(run.fullWidth, {1}, 1));
  box = ExpectBox(second, Summary(1), false);
  if (box) Answer(box, IDOK);
  ExpectEnd(second, run, true);
  ExpectInstalled(fonts[1]);
}

void Screenshots() {
  // The three faces of the program in Wine's virtual desktop, saved for a person to look at.
  const std::vector<FontLine> fonts = {{"DEJASANS.TTF", "DejaVu Sans Shot", 0},
                                       {"DEJASERF.TTF", "DejaVu Serif Shot", 3},
                                       {"LIBMONO.TTF", "Liberation Mono Shot", 6}};
  if (!SetScene(fonts)) return;
  Program program;
  HWND dialog = OpenSelection(program, "/d");
  if (!dialog) return;
  ClickItems(dialog, {"DejaVu Sans Shot", "Liberation Mono Shot"});
  ExpectSelection(dialog, {"DejaVu Sans Shot", "Liberation Mono Shot"});
  Expect(Shot("selection"), "saved the selection dialog", "");
  ClickControl(dialog, IDOK);
  HWND progress = WaitSeen(program.pid, Seen::Progress, 5000);
  if (!Expect(progress != nullptr, "the progress dialog appears", "")) return;
  DWORD start = GetTickCount();
  while (ControlText(progress, 111) != "Liberation Mono Shot" &&
         GetTickCount() - start < Patience(5000)) {
    Pause(10);
  }
  ExpectText("the second font is at work", "Liberation Mono Shot", ControlText(progress, 111));
  Expect(Shot("progress"), "saved the progress dialog mid-run", "");
  HWND box = ExpectBox(program, Summary(2), false);
  Expect(Shot("summary"), "saved the summary", "");
  if (box) Answer(box, IDOK);
  ExpectExit(program, 0);
  ExpectInstalled(fonts[0]);
  ExpectNotInstalled(fonts[1]);
  ExpectInstalled(fonts[2]);
}

namespace {

// The fonts `make demo` offers: six real fonts, one listed in lower case.
std::vector<FontLine> DemoFonts() {
  return {
      {"DEJASANS.TTF", "Demo DejaVu Sans", 0},      {"DEJASANB.TTF", "Demo DejaVu Sans Bold", 1},
      {"dejamono.ttf", "Demo DejaVu Sans Mono", 2}, {"LIBSANS.TTF", "Demo Liberation Sans", 4},
      {"LIBSERIF.TTF", "Demo Liberation Serif", 5}, {"LIBMONO.TTF", "Demo Liberation Mono", 6}};
}

}  // namespace

void DemoFolder() {
  // Only the scene, for a person to use the program on a display.
  bool laidOut = SetScene(DemoFonts());
  Expect(laidOut, "the demo folder is laid out", ProgramFolder());
}

void Demo() {
  // The road that `make demo` shows when no one is at the display: chosen and installed with
  // keys alone, as a person who knows the dialog would.
  const std::vector<FontLine> fonts = DemoFonts();
  if (!SetScene(fonts)) return;
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  Shot("1-selection");
  Note("press Enter: the focus is on Select All");
  PressKey(VK_RETURN);
  ExpectControlText(dialog, 110, "the count label", "6 fonts selected");
  Shot("2-selected");
  Note("press Tab twice to reach Install, then Enter");
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  PressKey(VK_RETURN);
  HWND progress = WaitSeen(program.pid, Seen::Progress, 5000);
  if (!Expect(progress != nullptr, "the progress dialog appears", "")) return;
  DWORD start = GetTickCount();
  while (ControlText(progress, 111) != "Demo DejaVu Sans Mono" &&
         GetTickCount() - start < Patience(8000)) {
    Pause(10);
  }
  Shot("3-progress");
  HWND box = ExpectBox(program, Summary(6), false, 15000);
  Shot("4-summary");
  if (box) Answer(box, IDOK);
  ExpectExit(program, 0);
  for (const FontLine &font : fonts) {
    ExpectInstalled(font);
    Note("installed %s as %s and %s in %s; WIN.INI [Fonts] %s=%s", font.name.c_str(),
         UpperFile(font.file).c_str(), ResourceName(font.file).c_str(), SystemFolder().c_str(),
         font.name.c_str(), FontsKey(font.name).c_str());
  }
}
