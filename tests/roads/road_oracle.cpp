// The road's oracle: see road_oracle.h. Texts are the program's as its user reads them, written
// out here rather than taken from the program.
#include "roads/road_oracle.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "catalog/font_table.h"
#include "common/shim.h"

namespace {

constexpr char Caption[] = "TrueType Fonts Installation";
constexpr char NotFound[] = "The file 'quillbox.lst' is not found or incorrect.";
constexpr char NoMemory[] = "Available memory is not enough.";

std::string Quote(const std::string &text) {
  return "'" + text + "'";
}

bool Same(const std::string &a, const std::string &b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// WIN.INI as the profile reads it: "SECTION|line" entries in order.
std::vector<std::string> ReadIni(const std::string &ini) {
  std::vector<char> names(1 << 16), text(1 << 16);
  std::vector<std::string> entries;
  DWORD length = GetPrivateProfileSectionNamesA(names.data(), names.size(), ini.c_str());
  for (char *name = names.data(); name < names.data() + length && *name;
       name += lstrlenA(name) + 1) {
    DWORD size = GetPrivateProfileSectionA(name, text.data(), text.size(), ini.c_str());
    for (char *line = text.data(); line < text.data() + size && *line; line += lstrlenA(line) + 1)
      entries.push_back(UpperName(name) + "|" + line);
  }
  return entries;
}

// The entries but those of [Fonts] whose key is one of keys.
std::vector<std::string> Without(std::vector<std::string> entries,
                                 const std::vector<std::string> &keys) {
  auto installed = [&](const std::string &entry) {
    std::string key = entry.substr(0, entry.find('='));
    key.erase(key.find_last_not_of(" \t") + 1);
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::string &font) { return Same(key, "FONTS|" + font); });
  };
  entries.erase(std::remove_if(entries.begin(), entries.end(), installed), entries.end());
  return entries;
}

}  // namespace

std::string UpperName(const std::string &name) {
  std::string upper = name;
  CharUpperA(upper.data());
  return upper;
}

std::string ResourceNameOf(const std::string &name) {
  size_t dot = name.rfind('.');
  std::string resource = dot == std::string::npos ? name + ".Fot" : name.substr(0, dot + 1) + "Fot";
  return resource.size() < FileNameSize ? resource : "";
}

RoadOracle::RoadOracle(const Road &road, const Sandbox &box)
    : lines(SplitListLines(road.list)), road_(road), box_(box) {}

void RoadOracle::Fail(const std::string &what) {
  if (failures.size() < 4000) failures += what + "\n";
}

Snapshot RoadOracle::Take() const {
  shim::Pause(true);
  Snapshot snapshot;
  for (const std::string &directory : {box_.program, box_.system})
    for (const std::string &name : box_.Files(directory))
      snapshot.files[UpperName(directory + name)] = box_.Read(directory + name);
  snapshot.winIni = ReadIni(box_.winIni);
  snapshot.registry = Sandbox::RegistryFonts();
  shim::Pause(false);
  return snapshot;
}

void RoadOracle::Before() {
  before_ = Take();
}

void RoadOracle::CheckHandles(int blocks) {
  if (!shim::state.handles.empty()) Fail("handles left open");
  if (shim::state.blocks.size() != static_cast<size_t>(blocks)) Fail("memory blocks left");
  if (FontList != NULL && (GlobalFlags(FontList) & GMEM_LOCKCOUNT) != 0)
    Fail("the table is locked");
}

void RoadOracle::CheckTable() {
  size_t line = 0;
  for (size_t i = 0; i < table_.size(); i++) {
    const TableRow &row = table_[i];
    std::string at = "record " + Quote(row.fileName) + ": ";
    for (size_t j = 0; j < i; j++)
      if (Same(table_[j].fileName, row.fileName) || Same(table_[j].fontName, row.fontName))
        Fail(at + "repeats record " + std::to_string(j));
    auto file = before_.files.find(UpperName(box_.program + row.fileName));
    if (file == before_.files.end() || file->second.size() != static_cast<size_t>(row.fileSize))
      Fail(at + "size is not the file's");
    while (line < lines.size() &&
           !(lines[line].fileName == row.fileName && lines[line].fontName == row.fontName))
      line++;
    if (line++ == lines.size()) Fail(at + "out of list order");
    if (road_.faultKind >= 0) continue;
    // Without a fault every record is a font not installed yet.
    if (before_.files.count(UpperName(box_.system + ResourceNameOf(row.fileName))) != 0 ||
        !box_.Key(row.fontName).empty())
      Fail(at + "already installed");
  }
}

void RoadOracle::CheckLoader(int result) {
  shim::Pause(true);
  const std::vector<shim::Box> &boxes = shim::state.boxes;
  bool faulted = road_.faultKind >= 0;
  if (result == 1 && (!boxes.empty() || FontCount <= 0)) Fail("loaded with a box or no table");
  if (result == 0 && (FontCount != 0 || FontList != NULL)) Fail("refused with a table");
  if (result == 0 && boxes.size() != 1)
    Fail("refused after " + std::to_string(boxes.size()) + " boxes");
  if (result == 0 && boxes.size() == 1) {
    const shim::Box &box = boxes[0];
    bool known = (box.text == NotFound && box.style == MB_ICONERROR) ||
                 (box.text == NoMemory && box.style == MB_ICONERROR) ||
                 (box.text == "There are no font files." && box.style == MB_ICONWARNING) ||
                 (box.text == "All additional TrueType fonts are already installed." &&
                  box.style == MB_ICONINFORMATION);
    if (!known || box.owner != NULL || box.caption != Caption)
      Fail("loader's box " + Quote(box.text));
    bool fits = !road_.list.empty() && road_.list.size() <= 65000;
    if (!faulted && ((box.text == NotFound) == fits || box.text == NoMemory))
      Fail("without a fault: " + Quote(box.text));
  }
  if (result != 0 && result != 1) Fail("the loader returned " + std::to_string(result));
  NoteSelection();
  CheckTable();
  Snapshot now = Take();
  if (now.files != before_.files || now.winIni != before_.winIni ||
      now.registry != before_.registry)
    Fail("the loader changed a file, WIN.INI or the registry");
  CheckHandles(FontCount > 0 ? 1 : 0);
  shim::Pause(false);
}

void RoadOracle::NoteSelection() {
  clockStart_ = shim::state.now;
  table_.clear();
  const FontItem *items =
      FontCount > 0 ? static_cast<const FontItem *>(GlobalLock(FontList)) : NULL;
  for (int i = 0; items != NULL && i < FontCount; i++)
    table_.push_back({std::string(items[i].fileName, strnlen(items[i].fileName, FileNameSize)),
                      std::string(items[i].fontName, strnlen(items[i].fontName, FontNameSize)),
                      items[i].fileSize, items[i].selected});
  if (items != NULL) GlobalUnlock(FontList);
}

void RoadOracle::CheckRun() {
  shim::Pause(true);
  // Other processes are handed the system directory as they reach it: for the i686 build on
  // 64-bit Windows the WOW64 folder, which the sandbox spells in lower case.
  BOOL wow64 = FALSE;
  std::string shared = box_.system;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) CharLowerA(shared.data());

  Snapshot after = Take();
  const std::vector<shim::Box> &boxes = shim::state.boxes;
  if (boxes.empty()) {
    Fail("no summary");
    shim::Pause(false);
    return;
  }
  // The course of the run: each selected font after its pump, either installed or reported in
  // one box, until the user's Cancel at a pump or in a box.
  std::vector<const TableRow *> installed, reported;
  size_t box = 0;
  int pump = 0;
  for (const TableRow &row : table_) {
    if (!row.selected) continue;
    if (++pump == road_.stopAtPump) break;
    // Whether a font was installed is told by its key, which is written last; every other font
    // reached is reported in one box that names it by its font name, file or resource file.
    std::string upper = UpperName(row.fileName);
    std::string resource = ResourceNameOf(upper);
    if (box_.Key(row.fontName) == resource && !resource.empty()) {
      installed.push_back(&row);
    } else {
      std::string text = box + 1 < boxes.size() ? boxes[box].text : "(no box)";
      std::string named = resource.empty() ? upper : UpperName(resource);
      if (text != "Cannot install the font '" + row.fontName + "'." &&
          text != "Cannot copy the font file '" + upper + "'." &&
          text != "Cannot create the resource file '" + named + "'.")
        Fail("box " + Quote(text) + " for " + Quote(row.fontName));
      if (box + 1 >= boxes.size()) break;
      if (boxes[box].style != (MB_ICONWARNING | MB_OKCANCEL) || boxes[box].caption != Caption)
        Fail("box " + Quote(text) + " in the style " + std::to_string(boxes[box].style));
      reported.push_back(&row);
      int answer = box < 16 ? road_.answers[box] : IDOK;
      box++;
      if (answer == IDCANCEL) break;
    }
  }
  if (box + 1 != boxes.size()) Fail("a box for no font reached: " + Quote(boxes[box].text));
  // Before each font the pump dispatches for 500 ms of the clock, whatever its wrap.
  DWORD handled = static_cast<DWORD>(installed.size() + reported.size());
  DWORD elapsed = shim::state.now - clockStart_;
  if (elapsed < 500 * handled || elapsed > 500 * (handled + 1) + 100)
    Fail("the pumps took " + std::to_string(elapsed) + " ms for " + std::to_string(handled) +
         " fonts");
  // The summary counts the fonts the system said each resource added.
  std::vector<std::pair<std::string, int>> table = shim::state.fonts;
  size_t count = 0;
  for (const TableRow *row : installed)
    for (const auto &font : table)
      if (font.first == shared + ResourceNameOf(UpperName(row->fileName)))
        count += static_cast<size_t>(font.second);
  std::string summary = count == 0 ? std::string("No new fonts were installed.")
                        : count == 1
                            ? std::string("1 new TrueType font is now available.")
                            : std::to_string(count) + " new TrueType fonts are now available.";
  if (boxes.back().text != summary || boxes.back().style != MB_ICONINFORMATION)
    Fail("summary " + Quote(boxes.back().text) + ", expected " + Quote(summary));
  std::vector<UINT> told = shim::state.broadcasts;
  if (told != (count > 0 ? std::vector<UINT>{WM_FONTCHANGE, WM_WININICHANGE} : std::vector<UINT>()))
    Fail("broadcasts do not match the summary");

  // What each file may hold afterwards: what it held before, unless a font the run reached is
  // told apart by it. An installed font leaves its copy, its .Fot, its key, its registry value and
  // its place in the font table; a reported one at most the whole replacement of an older font.
  const std::string gone = std::string("\0gone", 5);
  std::map<std::string, std::set<std::string>> may;
  for (const auto &file : before_.files) may[file.first] = {file.second};
  std::vector<std::string> keys, registry = before_.registry, fonts;
  bool programInSystem = box_.program == box_.system;
  bool deleteFaulted = road_.faultKind == shim::Delete && shim::state.fired > 0;
  auto source = [&](const TableRow *row) {
    return before_.files[UpperName(box_.program + row->fileName)];
  };
  for (const TableRow *row : installed) {
    std::string upper = UpperName(row->fileName), resource = ResourceNameOf(upper);
    std::string fot = UpperName(box_.system + resource), original = UpperName(box_.program + upper);
    if (!programInSystem) may[UpperName(box_.system + upper)] = {source(row)};
    // A source the user asked to delete goes, unless the platform refused.
    if ((road_.machine & 0x01) && !programInSystem) may[original] = {gone};
    if ((road_.machine & 0x01) && !programInSystem && deleteFaulted)
      may[original].insert(source(row));
    may[fot] = {after.files.count(fot) != 0 ? after.files[fot] : "(a .Fot)"};
    if (after.files[fot].find(shared + upper) == std::string::npos)
      Fail("installed " + Quote(row->fontName) + ": its .Fot does not name " + shared + upper);
    if (box_.Key(row->fontName) != resource)
      Fail("installed " + Quote(row->fontName) + ": WIN.INI holds " +
           Quote(box_.Key(row->fontName)));
    keys.push_back(row->fontName);
    // A value of that name that was there already belongs to another font, and is kept.
    std::string name = row->fontName + " (TrueType)=";
    if (std::none_of(registry.begin(), registry.end(), [&](const std::string &line) {
          return Same(line.substr(0, name.size()), name);
        }))
      registry.push_back(name + shared + upper);
    fonts.push_back(shared + resource);
  }
  for (const TableRow *row : reported) {
    std::string copy = UpperName(box_.system + UpperName(row->fileName));
    if (programInSystem) continue;
    // A fresh copy whose removal the platform refused may stay, whole.
    bool older = before_.files.count(copy) != 0;
    if (older || deleteFaulted) may[copy].insert(source(row));
    if (!older && deleteFaulted) may[copy].insert(gone);
  }
  for (const auto &file : after.files)
    if (may.count(file.first) == 0) Fail("new file " + Quote(file.first));
  for (const auto &file : may) {
    std::string now = after.files.count(file.first) != 0 ? after.files[file.first] : gone;
    if (file.second.count(now) == 0)
      Fail((now == gone ? "file gone: " : "file changed: ") + Quote(file.first));
  }

  if (Without(after.winIni, keys) != Without(before_.winIni, keys))
    Fail("WIN.INI changed beyond the installed fonts' keys");
  std::vector<std::string> now = after.registry;
  // A failed registry write loses the value, and nothing else.
  bool registryFaulted = road_.faultKind == shim::Registry && shim::state.fired > 0;
  std::sort(registry.begin(), registry.end());
  std::sort(now.begin(), now.end());
  if (registryFaulted ? !std::includes(registry.begin(), registry.end(), now.begin(), now.end())
                      : registry != now)
    Fail("the registry's font list does not hold exactly the installed fonts");
  bool sameFonts = table.size() == fonts.size();
  for (const std::string &font : fonts)
    sameFonts = sameFonts && std::any_of(table.begin(), table.end(),
                                         [&](const auto &added) { return added.first == font; });
  if (!sameFonts) Fail("the font table does not hold exactly the installed fonts");
  CheckHandles(1);
  shim::Pause(false);
}

void RoadOracle::CheckReleased() {
  if (!shim::state.blocks.empty()) Fail("a memory block outlives the table");
  if (shim::state.damagedBlocks != 0) Fail("a memory block was written past its end");
}
