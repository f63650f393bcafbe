// Scenario steps over the scene, the program's windows and genuine input.
#include "steps.h"

#include "catalog/font_table.h"
#include "catalog/resource_name.h"
#include "input.h"
#include "report.h"
#include "screen.h"

HWND OpenSelection(Program &program, const std::string &args) {
  if (!StartProgram(program, ProgramPath(), args)) return nullptr;
  HWND dialog = WaitSeen(program.pid, Seen::Selection, 10000);
  if (!Expect(dialog != nullptr, "the selection dialog appears", dialog ? "" : "not within 10 s")) {
    return nullptr;
  }
  Expect(WaitActive(dialog), "the selection dialog is the active window");
  return dialog;
}

bool ExpectInstallEnabled(HWND dialog) {
  return Expect(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0; }, 2000),
                "Install is enabled");
}

HWND ExpectBox(const Program &program, const std::string &text, DWORD ms) {
  HWND box = WaitSeen(program.pid, Seen::Box, ms);
  if (!Expect(box != nullptr, "a message box appears for '" + text + "'", box ? "" : "none came")) {
    return nullptr;
  }
  ExpectText("the message box says", text, ControlText(box, 0xFFFF));
  Expect(WaitActive(box), "the message box is the active window");
  return box;
}

void Answer(HWND box, int id) {
  Note("click '" + ControlText(box, id) + "' in the message box");
  ClickControl(box, id);
  Expect(WaitGone(box), "the message box goes away");
}

std::string Summary(int added) {
  if (added == 1) return "1 new TrueType font is now available.";
  return Format("%d new TrueType fonts are now available.", added);
}

void ExpectExit(const Program &program, DWORD ms) {
  DWORD code = WaitExit(program, ms);
  if (code == STILL_ACTIVE) {
    Expect(false, "the program ends", Format("still running after %lu ms", Patience(ms)));
  } else {
    Expect(code == 0, "the program ends with exit code 0", Format("%lu", code));
  }
}

void ExpectInstalled(const FontLine &font, bool installed) {
  std::string upper = font.file;
  CharUpperA(&upper[0]);
  char resource[FileNameSize];
  MakeResourceName(upper.c_str(), resource);
  std::string copy = ReadBytes(InSystemFolder(upper));
  Expect(copy == (installed ? ReadBytes(RealFontPath(font.real)) : ""),
         upper + (installed ? " is copied to" : " is not in") + " the system directory",
         Format("%d bytes there", static_cast<int>(copy.size())));
  Expect(FileExists(InSystemFolder(resource)) == installed,
         std::string(resource) + (installed ? " is created there" : " is not there either"));
  ExpectText("WIN.INI [Fonts] '" + font.name + "'", installed ? resource : "", FontsKey(font.name));
}
