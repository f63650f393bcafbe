// The list file as a person meets it: the loader's messages when there is nothing to offer, and
// the lines a list may hold.
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "steps.h"

namespace {

constexpr const char *NotFound = "The file 'quillbox.lst' is not found or incorrect.";
constexpr const char *NoFontFiles = "There are no font files.";
constexpr const char *AllInstalled = "All additional TrueType fonts are already installed.";

struct LoaderCase {
  const char *context;
  std::vector<FontLine> fonts;  // the files beside the program
  bool writeList;
  std::string list;
  void (*before)();  // what else the scene holds, or null
  const char *message;
};

void RegisterBirch() {
  SetFontsKey("Birch Serif", "BIRCH.Fot");
}

void PlaceCedarFot() {
  WriteBytes(InSystemFolder("CEDAR.Fot"), "an older resource file");
}

std::string LongList() {
  std::string list = "ASPEN.TTF  Aspen Sans\r\n";
  while (list.size() < 65001) list += "Z";
  return list;
}

// Each case gets the folder anew: only its own list file and font files lie beside the program.
void ClearFolder() {
  for (const char *name : {"Quillbox.Lst", "ASPEN.TTF", "BIRCH.TTF", "CEDAR.TTF", "HARBOR.TTF",
                           "HARBORB.TTF", "MAPLE.TTF"}) {
    RemoveFile(InFolder(name));
  }
}

void RunCase(const LoaderCase &row) {
  Note("case: %s", row.context);
  ClearFolder();
  LayOutFolder();
  for (const FontLine &font : row.fonts) PlaceFont(font.file, font.real);
  if (row.writeList) WriteListFile(row.list);
  if (row.before) row.before();
  std::string winIni = WinIni();
  Program program;
  if (!StartProgram(program, ProgramPath(), "")) return;
  HWND box = ExpectBox(program, row.message, false);
  if (!box) return;
  Expect(FindSeen(program.pid, Seen::Owner) == nullptr && GetWindow(box, GW_OWNER) == nullptr,
         "the message box has no owner and the program has no window of its own", "");
  Answer(box, IDOK);
  ExpectExit(program, 0);
  Expect(WinIni() == winIni, "WIN.INI is unchanged", "");
}

}  // namespace

void LoaderMessages() {
  const FontLine aspen = {"ASPEN.TTF", "Aspen Sans", 4};
  const LoaderCase cases[] = {
      {"no list file", {aspen}, false, "", nullptr, NotFound},
      {"a list file of 0 bytes", {aspen}, true, "", nullptr, NotFound},
      {"a list file of 65,001 bytes", {aspen}, true, LongList(), nullptr, NotFound},
      {"lines that name no usable file beside the program",
       {aspen},
       true,
       "MISSING.TTF  Missing Sans\r\n"
       "FONTS\\ASPEN.TTF  Aspen In A Folder\r\n"
       "ASPENSANS.TTF  Nine Before The Dot\r\n"
       "ASPEN.TTF\r\n"
       "ASPEN.TTF  Only A Line Feed\n"
       "ASPEN.TTF\tTab Separated\r\n"
       "ASPEN.TTF  Without Line End",
       nullptr,
       NoFontFiles},
      {"the only font already registered in WIN.INI",
       {{"BIRCH.TTF", "Birch Serif", 5}},
       true,
       "BIRCH.TTF  Birch Serif\r\n",
       RegisterBirch,
       AllInstalled},
      {"the only font's .Fot file already in the system directory",
       {{"CEDAR.TTF", "Cedar Mono", 6}},
       true,
       "CEDAR.TTF  Cedar Mono\r\n",
       PlaceCedarFot,
       AllInstalled},
  };
  for (const LoaderCase &row : cases) RunCase(row);
  Note(
      "the fourth message, \"Available memory is not enough.\", needs an allocation of at most "
      "65,001 bytes to fail and cannot be brought about from outside the program");

  // The list of the loader's worked example: only the first two lines give fonts.
  Note("case: a list with good and bad lines");
  ClearFolder();
  const std::vector<FontLine> fonts = {{"HARBOR.TTF", "Harbor Sans", 0},
                                       {"HARBORB.TTF", "Harbor Sans Bold", 1},
                                       {"MAPLE.TTF", "Maple Serif", 3},
                                       {"CEDAR.TTF", "Cedar Mono", 2}};
  SetFontsKey("Maple Serif", "MAPLE.Fot");
  RemoveFile(InSystemFolder("CEDAR.Fot"));
  if (!SetSceneWithList(fonts,
                        "HARBOR.TTF   Harbor Sans\r\n"
                        "  HARBORB.TTF Harbor Sans Bold   \r\n"
                        "LINDEN.TTF\r\n"
                        "harbor.ttf Harbor Sans Copy\r\n"
                        "FONTS\\MAPLE.TTF Maple Serif\r\n"
                        "LONGNAME1.TTF Long Name\r\n"
                        "\r\n"
                        "MAPLE.TTF Maple Serif\r\n"
                        "CEDAR.TTF Cedar Mono")) {
    return;
  }
  Program program;
  HWND dialog = OpenSelection(program);
  if (!dialog) return;
  ExpectFirstLook(program, dialog, {"Harbor Sans", "Harbor Sans Bold"}, false);
  Note("click Cancel");
  ClickControl(dialog, IDCANCEL);
  ExpectExit(program, 0);
}
