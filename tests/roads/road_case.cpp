// A road's bytes decoded, its machine laid out in a sandbox, and the program run along it: the
// loader, the user's selection, and the installation in the real progress dialog with the pump on
// the virtual clock; then the oracle (road_oracle.cpp) judges what changed.
#include <algorithm>

#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "common/shim.h"
#include "install/stat_dialog.h"
#include "resource.h"
#include "roads/road_oracle.h"
#include "install/run_options.h"

namespace {

// Whether name can be laid into directory as a file of exactly that name.
// The parse keeps the characters no file name may hold, and turns a device's name (CON.TTF) into
// the device's path, and "AB." into AB.
bool CanCreate(const std::string &directory, const std::string &name) {
  for (unsigned char c : name)
    if (c < 0x20 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
      return false;
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA((directory + name).c_str(), MAX_PATH, full, NULL);
  return length > 0 && length < MAX_PATH && directory + name == full;
}

void LayOut(const Road &road, const std::vector<ListLine> &lines, const Sandbox &box) {
  std::string ini = "[windows]\r\nload=\r\nrun=\r\n\r\n; fonts follow\r\n";
  if ((road.machine & 0x20) == 0)
    ini += "[Fonts]\r\nArial (TrueType)=ARIAL.FOT\r\n" + road.fontsKeys;
  box.Write(box.winIni, ini + "[Colors]\r\nBackground=0 128 128\r\n");
  box.Write(box.program + "Quillbox.Lst", road.list);
  // Wine shares this key between the 32-bit and the 64-bit view.
  for (const auto &value : road.registryFonts)
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                    value.first.c_str(), REG_SZ, value.second.c_str(), value.second.size() + 1);
  for (size_t n = 0; n < lines.size(); n++) {
    const ListLine &line = lines[n];
    unsigned flags = road.lineFlags[n % 16];
    if ((flags & 0x01) && CanCreate(box.program, line.fileName) &&
        UpperName(line.fileName) != "QUILLBOX.LST" && !box.Exists(box.program + line.fileName)) {
      int size = flags >> 6;
      std::string bytes = size == 0 ? "" : Sandbox::Font(2 * size - 2 + static_cast<int>(n % 2));
      box.Write(box.program + line.fileName,
                n == 0 && !road.firstFont.empty() ? road.firstFont : bytes);
    }
    std::string resource = ResourceNameOf(line.fileName);
    if ((flags & 0x02) && CanCreate(box.system, resource) && !box.Exists(box.system + resource))
      box.Write(box.system + resource, "an earlier resource");
    unsigned key = (flags >> 2) & 3;
    // Only a key that reads back as itself is laid out.
    if ((key == 1 || key == 2) && line.hasFontName &&
        line.fontName.find_first_of("=\r\n\t") == std::string::npos && line.fontName[0] != '[' &&
        line.fontName[0] != ';')
      box.SetKey(line.fontName, key == 1 ? "OLD.FOT" : "");
  }
}

}  // namespace

Road DecodeRoad(const std::string &bytes) {
  auto byte = [&](size_t at) -> unsigned {
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
  };
  Road road;
  road.machine = byte(0);
  road.stopAtPump = static_cast<int>(byte(1));
  road.faultKind = static_cast<int>(byte(2) % 12) - 1;
  road.faultNth = static_cast<int>(byte(3) & 0x7F) + 1;
  road.faultFromThenOn = (byte(3) & 0x80) != 0;
  for (int box = 0; box < 16; box++) {
    unsigned code = (byte(4 + box / 4) >> (2 * (box % 4))) & 3;
    road.answers[box] = code == 1 ? IDCANCEL : code == 2 ? 0 : IDOK;
  }
  for (int line = 0; line < 16; line++)
    road.lineFlags[line] = static_cast<unsigned char>(byte(8 + line));
  if (bytes.size() > RoadHeaderSize) road.list = bytes.substr(RoadHeaderSize);
  return road;
}

std::vector<ListLine> SplitListLines(const std::string &list) {
  std::vector<ListLine> lines;
  std::string text = list.substr(0, list.find('\0'));
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    // The first 127 bytes, and a blank that ends the file name at the latest.
    std::string bytes = text.substr(start, std::min<size_t>(end - start, 127)) + " ";
    size_t first = bytes.find_first_not_of(' '), blank = bytes.find(' ', first);
    size_t font = bytes.find_first_not_of(' ', blank);
    ListLine line;
    if (first != std::string::npos)
      line.fileName = bytes.substr(first, std::min<size_t>(blank - first, 15));
    line.hasFontName = first != std::string::npos && font != std::string::npos;
    if (line.hasFontName)
      line.fontName = bytes.substr(font, bytes.find_last_not_of(' ') + 1 - font);
    lines.push_back(line);
  }
  return lines;
}

std::string RunRoad(const Road &road, int *faultsFired, std::vector<std::string> *boxes) {
  unsigned machine = road.machine;
  Sandbox box(
      {(machine & 0x04) != 0, (machine & 0x08) != 0, (machine & 0x10) != 0, (machine & 0x02) != 0});
  RoadOracle oracle(road, box);
  LayOut(road, oracle.lines, box);

  shim::Reset();
  runOptions = {GetModuleHandleA(NULL), NULL, (road.machine & 0x01) ? 1 : 0};
  for (int answer : road.answers) shim::state.answers.push_back(answer);
  oracle.Before();
  if (road.faultKind >= 0) shim::Fail(road.faultKind, road.faultNth, road.faultFromThenOn);
  int loaded = LoadFontList();
  oracle.CheckLoader(loaded);

  if (loaded == 1) {
    FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
    for (int i = 0; i < FontCount; i++) items[i].selected = (road.lineFlags[i % 16] >> 4) & 1;
    GlobalUnlock(FontList);
    // Each pump lasts 500 ms of the virtual clock, five idle polls of 100 ms, and the tick
    // count wraps during the first.
    shim::StartClock(0xFFFFFF00, 100);
    oracle.NoteSelection();
    if (road.duringFirstPump)
      shim::state.due.emplace(shim::state.now + 100, [&] { road.duringFirstPump(box); });
    if (road.stopAtPump > 0)
      shim::state.due.emplace(shim::state.now + 500 * (road.stopAtPump - 1) + 100, [] {
        PostMessageA(FindWindowA("#32770", NULL), WM_COMMAND, IDCANCEL, 0);
      });
    RunStatDialog();
    oracle.CheckRun();
  }
  if (faultsFired != nullptr) *faultsFired = shim::state.fired;
  for (size_t i = 0; boxes != nullptr && i < shim::state.boxes.size(); i++)
    boxes->push_back(shim::state.boxes[i].text);
  shim::Fail(-1, 0);
  ReleaseFontList();
  oracle.CheckHandles(0);
  shim::Reset();
  return oracle.failures;
}
