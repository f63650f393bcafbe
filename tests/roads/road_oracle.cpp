// The road's oracle: see road_oracle.h. Texts are the program's as its user reads them, written
// out here rather than taken from the program.
#include "roads/road_oracle.h"

#include <algorithm>
#include <set>
#include <sstream>

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

// WIN.INI's entries in order, "SECTION|key=value", as the profile reads them: blanks and tabs
// around names and values do not count, nor do blank lines.
std::vector<std::string> ReadIni(const std::string &ini) {
  auto trim = [](std::string text) {
    text.erase(0, text.find_first_not_of(" \t\r"));
    return text.erase(text.find_last_not_of(" \t\r") + 1);
  };
  std::vector<std::string> entries;
  std::istringstream text(Sandbox::Read(ini));
  std::string section;
  for (std::string line; std::getline(text, line);) {
    size_t equals = (line = trim(line)).find('=');
    if (line[0] == '[')
      section = UpperName(trim(line.substr(1, line.rfind(']') - 1)));
    else if (!line.empty())
      entries.push_back(section + "|" + trim(line.substr(0, equals)) +
                        (equals == std::string::npos ? "" : "=" + trim(line.substr(equals + 1))));
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

// The file that directory + name reaches, as the file system spells it ("AB." is AB).
std::string Reached(const std::string &directory, const std::string &name) {
  char full[MAX_PATH] = "";
  GetFullPathNameA((directory + name).c_str(), MAX_PATH, full, NULL);
  return UpperName(full);
}

std::string ResourceNameOf(const std::string &name) {
  size_t dot = name.rfind('.');
  std::string resource = dot == std::string::npos ? name + ".Fot" : name.substr(0, dot + 1) + "Fot";
  return resource.size() < FileNameSize ? resource : "";
}

Snapshot RoadOracle::Take() const {
  shim::Pause(true);
  Snapshot snapshot;
  for (const std::string &directory : {box.program, box.system})
    for (const std::string &name : box.Files(directory))
      snapshot.files[UpperName(directory + name)] = box.Read(directory + name);
  snapshot.winIni = ReadIni(box.winIni);
  snapshot.registry = Sandbox::RegistryFonts();
  shim::Pause(false);
  return snapshot;
}

void RoadOracle::CheckHandles(int blocks) {
  if (!shim::state.handles.empty()) Fail("handles left open");
  if (shim::state.blocks.size() != static_cast<size_t>(blocks)) Fail("memory blocks left");
  if (shim::state.damagedBlocks != 0) Fail("a memory block was written past its end");
  if (FontList != NULL && (GlobalFlags(FontList) & GMEM_LOCKCOUNT) != 0)
    Fail("the table is locked");
}

void RoadOracle::CheckTable() {
  size_t line = 0;
  for (size_t i = 0; i < table.size(); i++) {
    const TableRow &row = table[i];
    std::string at = "record " + Quote(row.fileName) + ": ";
    for (size_t j = 0; j < i; j++)
      if (Same(table[j].fileName, row.fileName) || Same(table[j].fontName, row.fontName))
        Fail(at + "repeats record " + std::to_string(j));
    auto file = before.files.find(Reached(box.program, row.fileName));
    if (file == before.files.end() || file->second.size() != static_cast<size_t>(row.fileSize))
      Fail(at + "size is not the file's");
    while (line < lines.size() &&
           !(lines[line].fileName == row.fileName && lines[line].fontName == row.fontName))
      line++;
    if (line++ == lines.size()) Fail(at + "out of list order");
    if (road.faultKind >= 0) continue;
    // Without a fault every record is a font not installed yet.
    if (before.files.count(Reached(box.system, ResourceNameOf(row.fileName))) != 0 ||
        !box.Key(row.fontName).empty())
      Fail(at + "already installed");
  }
}

void RoadOracle::CheckLoader(int result) {
  shim::Pause(true);
  const std::vector<shim::Box> &boxes = shim::state.boxes;
  bool faulted = road.faultKind >= 0;
  if (result == 1 && (!boxes.empty() || FontCount <= 0)) Fail("loaded with a box or no table");
  if (result == 0 && (FontCount != 0 || FontList != NULL)) Fail("refused with a table");
  if (result == 0 && boxes.size() != 1)
    Fail("refused after " + std::to_string(boxes.size()) + " boxes");
  if (result == 0 && boxes.size() == 1) {
    const shim::Box &shown = boxes[0];
    std::map<std::string, UINT> told = {
        {NotFound, MB_ICONERROR},
        {NoMemory, MB_ICONERROR},
        {"There are no font files.", MB_ICONWARNING},
        {"All additional TrueType fonts are already installed.", MB_ICONINFORMATION}};
    if (told.count(shown.text) == 0 || told[shown.text] != shown.style || shown.owner != NULL ||
        shown.caption != Caption)
      Fail("loader's box " + Quote(shown.text));
    bool fits = !road.list.empty() && road.list.size() <= 65000;
    if (!faulted && ((shown.text == NotFound) == fits || shown.text == NoMemory))
      Fail("without a fault: " + Quote(shown.text));
  }
  NoteSelection();
  CheckTable();
  Snapshot now = Take();
  if (now.files != before.files || now.winIni != before.winIni || now.registry != before.registry)
    Fail("the loader changed a file, WIN.INI or the registry");
  CheckHandles(FontCount > 0 ? 1 : 0);
  shim::Pause(false);
}

void RoadOracle::NoteSelection() {
  table.clear();
  const FontItem *items =
      FontCount > 0 ? static_cast<const FontItem *>(GlobalLock(FontList)) : NULL;
  for (int i = 0; items != NULL && i < FontCount; i++)
    table.push_back({items[i].fileName, items[i].fontName, items[i].fileSize, items[i].selected});
  if (items != NULL) GlobalUnlock(FontList);
}

void RoadOracle::CheckRun() {
  shim::Pause(true);
  // Other processes are handed the system directory as they reach it: for the i686 build on
  // 64-bit Windows the WOW64 folder, which the sandbox spells in lower case.
  BOOL wow64 = FALSE;
  std::string shared = box.system;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) CharLowerA(shared.data());

  Snapshot after = Take();
  std::vector<shim::Box> boxes = shim::state.boxes;
  if (boxes.empty()) boxes.push_back({NULL, "(no summary)", "", 0});
  // The course of the run: each selected font after its pump, either installed or reported in
  // one box, until the user's Cancel at a pump or in a box.
  std::vector<const TableRow *> installed, reported;
  size_t next = 0;  // the next box
  int pump = 0;
  for (const TableRow &row : table) {
    if (!row.selected) continue;
    if (++pump == road.stopAtPump) break;
    // Whether a font was installed is told by its key, which is written last; every other font
    // reached is reported in one box that names it by its font name, file or resource file.
    std::string upper = UpperName(row.fileName);
    std::string resource = ResourceNameOf(upper);
    if (box.Key(row.fontName) == resource && !resource.empty()) {
      installed.push_back(&row);
    } else {
      std::string text = next + 1 < boxes.size() ? boxes[next].text : "(no box)";
      std::string named = resource.empty() ? upper : UpperName(resource);
      if ((text != "Cannot install the font '" + row.fontName + "'." &&
           text != "Cannot copy the font file '" + upper + "'." &&
           text != "Cannot create the resource file '" + named + "'.") ||
          boxes[next].style != (MB_ICONWARNING | MB_OKCANCEL) || boxes[next].caption != Caption)
        Fail("box " + Quote(text) + " for " + Quote(row.fontName));
      if (next + 1 >= boxes.size()) break;
      reported.push_back(&row);
      int answer = next < 16 ? road.answers[next] : IDOK;
      next++;
      if (answer == IDCANCEL) break;
    }
  }
  if (next + 1 != boxes.size()) Fail("a box for no font reached: " + Quote(boxes[next].text));
  // The summary counts the fonts the system said each resource added.
  const auto &added = shim::state.fonts;
  size_t count = 0;
  for (const TableRow *row : installed)
    for (const auto &font : added)
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
  for (const auto &file : before.files) may[file.first] = {file.second};
  std::vector<std::string> keys, registry = before.registry, fonts;
  bool programInSystem = box.program == box.system;
  bool deleteFaulted = road.faultKind == shim::Delete && shim::state.fired > 0;
  auto source = [&](const TableRow *row) {
    return before.files[Reached(box.program, row->fileName)];
  };
  for (const TableRow *row : installed) {
    std::string upper = UpperName(row->fileName), resource = ResourceNameOf(upper);
    std::string fot = Reached(box.system, resource), original = Reached(box.program, upper);
    if (!programInSystem) may[Reached(box.system, upper)] = {source(row)};
    // A source the user asked to delete goes, unless the platform refused.
    if ((road.machine & 0x01) && !programInSystem) may[original] = {gone};
    if ((road.machine & 0x01) && !programInSystem && deleteFaulted)
      may[original].insert(source(row));
    may[fot] = {after.files.count(fot) != 0 ? after.files[fot] : "(a .Fot)"};
    if (after.files[fot].find(shared + upper) == std::string::npos)
      Fail("installed " + Quote(row->fontName) + ": its .Fot does not name " + shared + upper);
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
    std::string copy = Reached(box.system, UpperName(row->fileName));
    if (programInSystem) continue;
    // A fresh copy whose removal the platform refused may stay, whole.
    bool older = before.files.count(copy) != 0;
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

  if (Without(after.winIni, keys) != Without(before.winIni, keys))
    Fail("WIN.INI changed beyond the installed fonts' keys");
  std::vector<std::string> now = after.registry;
  // A failed registry write loses the value, and nothing else.
  bool registryFaulted = road.faultKind == shim::Registry && shim::state.fired > 0;
  std::sort(registry.begin(), registry.end());
  std::sort(now.begin(), now.end());
  if (registryFaulted ? !std::includes(registry.begin(), registry.end(), now.begin(), now.end())
                      : registry != now)
    Fail("the registry's font list does not hold exactly the installed fonts");
  bool sameFonts = added.size() == fonts.size();
  for (const std::string &font : fonts)
    sameFonts = sameFonts && std::any_of(added.begin(), added.end(),
                                         [&](const auto &one) { return one.first == font; });
  if (!sameFonts) Fail("the font table does not hold exactly the installed fonts");
  CheckHandles(1);
  shim::Pause(false);
}
