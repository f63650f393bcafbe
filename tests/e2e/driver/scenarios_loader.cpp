// The list file as a person meets it: the loader's messages when there is nothing to offer. The
// lines a list may hold are checked on both platforms by the catalog suite.
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

// Each case gets the folder anew: only its own list file and font files lie beside the program.
void ClearFolder() {
  for (const char *name : {"Quillbox.Lst", "ASPEN.TTF", "BIRCH.TTF"}) {
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
  // One case for each message; the list file's edge cases are the catalog suite's.
  const LoaderCase cases[] = {
      {"no list file", {aspen}, false, "", nullptr, NotFound},
      {"a line that names no file beside the program",
       {aspen},
       true,
       "MISSING.TTF  Missing Sans\r\n",
       nullptr,
       NoFontFiles},
      {"the only font already registered in WIN.INI",
       {{"BIRCH.TTF", "Birch Serif", 5}},
       true,
       "BIRCH.TTF  Birch Serif\r\n",
       RegisterBirch,
       AllInstalled},
  };
  for (const LoaderCase &row : cases) RunCase(row);
  Note(
      "the fourth message, \"Available memory is not enough.\", needs an allocation of at most "
      "65,001 bytes to fail and cannot be brought about from outside the program");
}
