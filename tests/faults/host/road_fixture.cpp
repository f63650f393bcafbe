// The road of the fault matrix on a fresh winsim machine; see road_fixture.h.
#include "faults/host/road_fixture.h"

#include <winsim/user32_sim.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalog/font_table.h"
#include "common/host/fresh_globals.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "shell/app_main.h"
#include "shell/globals.h"

namespace fs = std::filesystem;
namespace user32 = winsim::user32;

const RoadFont RoadFonts[3] = {{"SANS.TTF", "Quillbox Sans", 300},
                               {"SERIF.TTF", "Quillbox Serif", 5000},
                               {"MONO.TTF", "Quillbox Mono", 40000}};
const RoadFont InstalledFont = {"OLD.TTF", "Quillbox Old", 300};

std::string RoadFont::Resource() const {
  return fileName.substr(0, fileName.rfind('.') + 1) + "Fot";
}

namespace {

// A TrueType table directory with head and name tables (all that a font needs to be one here),
// then bytes that differ from font to font, so that a copy of the wrong file shows.
std::string FontBytes(size_t size, int seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i++) bytes[i] = static_cast<char>(i * 7 + seed * 31 + i / 251);
  const char header[44] = {0,   1,   0, 0, 0, 2, 0, 0, 0,  0,  0, 0, 'h', 'e', 'a',
                           'd', 0,   0, 0, 0, 0, 0, 0, 44, 0,  0, 0, 0,   'n', 'a',
                           'm', 'e', 0, 0, 0, 0, 0, 0, 0,  44, 0, 0, 0,   0};
  bytes.replace(0, 44, header, 44);
  return bytes;
}

std::string ReadHost(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::map<std::string, std::string> FilesIn(const std::string &winDir) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry &entry : fs::directory_iterator(winsim::HostPath(winDir))) {
    if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadHost(entry.path());
  }
  return files;
}

std::vector<std::string> ListItems(HWND dialog) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_FONTLIST, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; i++) {
    char text[FontNameSize] = "";
    SendDlgItemMessageA(dialog, IDC_FONTLIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

}  // namespace

Road::Road() : sandbox_(std::make_unique<Sandbox>()) {
  ResetProgramGlobals();

  std::string list;
  int seed = 0;
  for (const RoadFont &font : {RoadFonts[0], InstalledFont, RoadFonts[1], RoadFonts[2]}) {
    sandbox_->WriteFile(sandbox_->InProgramDir(font.fileName), FontBytes(font.size, seed++));
  }
  list += RoadFonts[0].fileName + " " + RoadFonts[0].fontName + "\r\n";
  list += InstalledFont.fileName + " " + InstalledFont.fontName + "\r\n";
  list += RoadFonts[1].fileName + " " + RoadFonts[1].fontName + "\r\n";
  list += "GONE.TTF Quillbox Gone\r\n";  // no such file: not found
  list += RoadFonts[2].fileName + " " + RoadFonts[2].fontName + "\r\n";
  sandbox_->WriteFile(sandbox_->InProgramDir("Quillbox.Lst"), list);
  sandbox_->SetFontsKey("Arial (TrueType)", "ARIAL.FOT");
  sandbox_->SetFontsKey(InstalledFont.fontName, InstalledFont.Resource());
  WriteProfileStringA("Colors", "Background", "0 128 128");
}

Road::~Road() {
  sandbox_.reset();
}

RoadFiles Road::Files() const {
  RoadFiles files;
  files.program = FilesIn(sandbox_->ProgramDir());
  files.system = FilesIn(sandbox_->SystemDir());
  std::istringstream lines(sandbox_->WinIni());
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    files.winIni.push_back(line);
  }
  return files;
}

RoadOutcome Road::Run(const std::function<void()> &arm, int firstAnswer) {
  RoadOutcome outcome;
  outcome.before = Files();
  winsim::QueueMessageBoxAnswer(firstAnswer);
  // The user: looks at the list, checks the delete box, selects all and installs.
  user32::WhenIdle([&] {
    outcome.dialogShown = hFontDial != nullptr;
    outcome.faultsBeforeDialog = winsim::FaultsFired();
    outcome.offered = ListItems(hFontDial);
    EXPECT_TRUE(user32::Click(GetDlgItem(hFontDial, IDC_DELETE)));
  });
  user32::WhenIdle([] { EXPECT_TRUE(user32::Click(GetDlgItem(hFontDial, IDC_SELECTALL))); });
  user32::WhenIdle([] { EXPECT_TRUE(user32::Click(GetDlgItem(hFontDial, IDOK))); });
  arm();
  outcome.exitCode = RunProgram(sandbox_->Instance(), "/d", SW_SHOWNORMAL);
  if (!outcome.dialogShown) outcome.faultsBeforeDialog = winsim::FaultsFired();
  winsim::ClearFaults();
  outcome.boxes = winsim::MessageBoxes();
  outcome.after = Files();
  return outcome;
}
