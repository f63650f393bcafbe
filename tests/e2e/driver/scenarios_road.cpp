// The main road: fonts listed, selected, installed and announced, and the program gone.
#include <algorithm>

#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "shot.h"
#include "steps.h"

void RoadOfOneFont() {
  const std::vector<FontLine> fonts = {{"HARBOR.TTF", "Harbor Sans", 0}};
  Program program;
  HWND dialog = OpenOver(program, fonts);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, {"Harbor Sans"}, false);
  ClickItems(dialog, {"Harbor Sans"});
  ExpectSelection(dialog, {"Harbor Sans"});
  InstallRoad(program, dialog, fonts);
}

void SeveralFontsOneInLowerCase() {
  // Table order (the list file's) differs from the sorted order the dialog shows; the run goes
  // in table order.
  const std::vector<FontLine> fonts = {{"MAPLE.TTF", "Maple Serif", 3},
                                       {"harbor.ttf", "Harbor Sans", 0},
                                       {"CEDAR.TTF", "Cedar Mono", 2}};
  const std::vector<std::string> sorted = {"Cedar Mono", "Harbor Sans", "Maple Serif"};
  Program program;
  HWND dialog = OpenOver(program, fonts);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, sorted, false);
  Note("click Select All");
  ClickControl(dialog, 130);
  ExpectSelection(dialog, sorted);
  InstallRoad(program, dialog, fonts);
}

void HighByteFontName() {
  // Every byte from 0x80 to 0xFF in the two font names (0xA0 last of the first: it is not a
  // blank and must stay), and a file name with an accented small letter.
  std::string upperHalf, lowerHalf;
  for (int c = 0x80; c < 0xC0; c++) upperHalf += static_cast<char>(c);
  for (int c = 0xC0; c <= 0xFF; c++) lowerHalf += static_cast<char>(c);
  std::rotate(upperHalf.begin(), upperHalf.begin() + 0x21, upperHalf.end());
  const std::vector<FontLine> fonts = {{"ACCENT.TTF", upperHalf, 4}, {"caf\xE9.ttf", lowerHalf, 5}};
  Program program;
  HWND dialog = OpenOver(program, fonts);
  if (!dialog) return;
  std::vector<std::string> items = ListItems(GetDlgItem(dialog, 100));
  std::vector<std::string> sortedItems = items, expected = {upperHalf, lowerHalf};
  std::sort(sortedItems.begin(), sortedItems.end());
  std::sort(expected.begin(), expected.end());
  Expect(sortedItems == expected, "the list shows both names byte for byte", Listed(items));
  ClickControl(dialog, 130);
  ExpectSelection(dialog, items);
  InstallRoad(program, dialog, fonts);
}

void EnterInstalls() {
  // First start: a click on one font and Enter (Install is the default button). Second start:
  // keys alone: Enter on Select All, Tab twice to Install, Enter.
  const std::vector<FontLine> fonts = {{"LINDEN.TTF", "Linden Sans", 4},
                                       {"BIRCH.TTF", "Birch Serif", 5}};
  Program first;
  HWND dialog = OpenOver(first, fonts);
  if (!dialog) return;
  ClickItems(dialog, {"Linden Sans"});
  ExpectSelection(dialog, {"Linden Sans"});
  InstallRoad(first, dialog, {fonts[0]}, true);
  ExpectNotInstalled(fonts[1]);

  Note("start again: only the font not yet installed is offered");
  Program second;
  dialog = OpenSelection(second);
  if (!dialog) return;
  ExpectFirstLook(second, dialog, {"Birch Serif"}, false);
  Note("press Enter (the focus is on Select All)");
  PressKey(VK_RETURN);
  ExpectSelection(dialog, {"Birch Serif"});
  Note("press Tab twice");
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  InstallRoad(second, dialog, {fonts[1]}, true);
}

void Screenshots() {
  // The three faces of the program in Wine's virtual desktop, saved for a person to look at.
  const std::vector<FontLine> fonts = {{"DEJASANS.TTF", "DejaVu Sans Shot", 0},
                                       {"DEJASERF.TTF", "DejaVu Serif Shot", 3},
                                       {"LIBMONO.TTF", "Liberation Mono Shot", 6}};
  Program program;
  HWND dialog = OpenOver(program, fonts, "/d");
  if (!dialog) return;
  ClickItems(dialog, {"DejaVu Sans Shot", "Liberation Mono Shot"});
  ExpectSelection(dialog, {"DejaVu Sans Shot", "Liberation Mono Shot"});
  Expect(Shot("selection"), "saved the selection dialog", "");
  ClickControl(dialog, IDOK);
  if (!WaitFontAtWork(program, "Liberation Mono Shot")) return;
  Expect(Shot("progress"), "saved the progress dialog mid-run", "");
  HWND box = ExpectBox(program, Summary(2), false);
  Expect(Shot("summary"), "saved the summary", "");
  if (box) Answer(box, IDOK);
  ExpectExit(program, 0);
  ExpectInstalledAs(fonts, "101");
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
  Program program;
  HWND dialog = OpenOver(program, fonts);
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
  if (!WaitFontAtWork(program, "Demo DejaVu Sans Mono", 8000)) return;
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
