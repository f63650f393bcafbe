// The properties of an installation run: each font that the run reached is either installed whole
// (its copy, its .Fot, its WIN.INI key, in the font table) without a word, or reported in exactly
// one box; a Cancel or a stopped pump ends the run; the summary counts what was installed; no
// file changes but what the fonts at hand may change; WIN.INI keeps every line it had.
#include <windows.h>

#include <winsim/sim.h>

#include <algorithm>

#include "road_world.h"
#include "shell/globals.h"

namespace {

constexpr UINT FailureStyle = MB_ICONWARNING | MB_OKCANCEL;

// A font that the run reached, and what became of it.
struct Reached {
  TableRow row;
  std::string upper;     // its file name in upper case
  std::string resource;  // its .Fot name
  std::string source;    // the names its file reaches beside the program and as the copy
  std::string copy;
  bool reported = false;
  bool installed = false;
};

std::string Quote(const std::string &text) {
  return "'" + text + "'";
}

bool SameName(const std::string &a, const std::string &b) {
  return UpperName(a) == UpperName(b);
}

// The name of the file that dir + name reaches, as the file system qualifies it ("AB." is AB).
std::string ReachedName(const std::string &dir, const std::string &name) {
  std::string full = winsim::FullPath(dir + name);
  return full.compare(0, dir.size(), dir) == 0 ? full.substr(dir.size()) : "";
}

std::string FontsValue(const std::string &key) {
  char value[256];
  GetProfileStringA("Fonts", key.c_str(), "", value, sizeof value);
  return value;
}

// Whether bytes begin as a TrueType or OpenType font file or collection does.
bool IsFontBytes(const std::string &bytes) {
  if (bytes.size() < 4) return false;
  std::string tag = bytes.substr(0, 4);
  return tag == std::string("\0\1\0\0", 4) || tag == "true" || tag == "OTTO" || tag == "ttcf";
}

const std::string *Find(const std::map<std::string, std::string> &files, const std::string &name) {
  for (const auto &file : files) {
    if (SameName(file.first, name)) return &file.second;
  }
  return nullptr;
}

bool FailureTextNames(const std::string &text, const Reached &font) {
  std::string upperResource = font.resource.size() <= 15 ? UpperName(font.resource) : font.upper;
  return text == "Cannot install the font '" + font.row.fontName + "'." ||
         text == "Cannot copy the font file '" + font.upper + "'." ||
         text == "Cannot create the resource file '" + upperResource + "'." ||
         text == "Cannot create the resource file '" + font.upper + "'.";
}

// Lays each box to the font whose pump came before it, and follows the run's course.
std::vector<Reached> FollowRun(RoadWorld &world, const std::vector<TableRow> &table,
                               size_t firstBox) {
  const std::vector<winsim::MessageBoxRecord> &boxes = winsim::MessageBoxes();
  std::vector<TableRow> selected;
  for (const TableRow &row : table) {
    if (row.selected) selected.push_back(row);
  }
  std::vector<Reached> reached;
  const std::vector<size_t> &pumps = world.boxesAtPump;
  if (world.captures != 1)
    world.Fail("the bar captured " + std::to_string(world.captures) + " times");
  if (pumps.size() > selected.size()) world.Fail("more pumps than selected fonts");
  if (boxes.size() <= firstBox) {
    world.Fail("no summary");
    return reached;
  }
  size_t summary = boxes.size() - 1;
  bool ended = false;      // stopped by the pump or by a Cancel
  bool cancelled = false;  // by a Cancel, at the last font reached
  for (size_t j = 0; j < pumps.size() && j < selected.size(); j++) {
    if (ended) world.Fail("a pump after the run was stopped");
    if (static_cast<int>(j) + 1 == world.input.stopAtPump) {
      ended = true;
      if (j + 1 < pumps.size() ? pumps[j + 1] != pumps[j] : pumps[j] != summary) {
        world.Fail("a box after the stopped pump");
      }
      continue;
    }
    Reached font;
    font.row = selected[j];
    font.upper = UpperName(font.row.fileName);
    font.resource = ResourceNameOf(font.upper);
    font.source = ReachedName(world.programDir, font.row.fileName);
    font.copy = ReachedName(world.systemDir, font.upper);
    size_t end = j + 1 < pumps.size() ? pumps[j + 1] : summary;
    if (end - pumps[j] > 1) world.Fail("several boxes for " + Quote(font.row.fontName));
    if (end > pumps[j]) {
      const winsim::MessageBoxRecord &box = boxes[pumps[j]];
      font.reported = true;
      if (box.style != FailureStyle || box.caption != AppCaption ||
          !FailureTextNames(box.text, font)) {
        world.Fail("failure box " + Quote(box.text) + " for " + Quote(font.row.fontName));
      }
      size_t index = pumps[j] - firstBox;
      if (index < 16 && world.input.answers[index] == IDCANCEL) cancelled = ended = true;
    }
    font.installed = !font.reported;
    reached.push_back(font);
  }
  if (!ended && pumps.size() != selected.size()) world.Fail("the run passed over a selected font");

  // The bar: one update per font handled, never back, full once every font was handled.
  size_t handled = reached.size() - (cancelled ? 1 : 0);
  if (world.percents.size() != handled)
    world.Fail("bar updates: " + std::to_string(world.percents.size()));
  for (size_t i = 0; i < world.percents.size(); i++) {
    if (world.percents[i] < 0 || world.percents[i] > 100 ||
        (i > 0 && world.percents[i] < world.percents[i - 1])) {
      world.Fail("bar at " + std::to_string(world.percents[i]));
    }
  }
  if (!ended && !selected.empty() && (world.percents.empty() || world.percents.back() != 100)) {
    world.Fail("the bar is not full after every font");
  }

  int installed = 0;
  for (const Reached &font : reached) installed += font.installed ? 1 : 0;
  const winsim::MessageBoxRecord &last = boxes[summary];
  std::string expected = installed == 0 ? std::string("No new fonts were installed.")
                         : installed == 1
                             ? std::string("1 new TrueType font is now available.")
                             : std::to_string(installed) + " new TrueType fonts are now available.";
  if (last.text != expected || last.style != MB_ICONINFORMATION || last.caption != AppCaption) {
    world.Fail("summary " + Quote(last.text) + ", expected " + Quote(expected));
  }
  const std::vector<winsim::BroadcastRecord> &broadcasts = winsim::Broadcasts();
  bool told = broadcasts.size() == 2 && broadcasts[0].message == WM_FONTCHANGE &&
              broadcasts[1].message == WM_WININICHANGE && broadcasts[1].text == "Fonts";
  if (installed > 0 ? !told : !broadcasts.empty())
    world.Fail("broadcasts do not match the summary");
  return reached;
}

bool InFontTable(const RoadWorld &world, const std::string &resource) {
  std::string resourcePath = winsim::FullPath(world.systemDir + resource);
  for (const std::string &path : winsim::FontResources())
    if (SameName(path, resourcePath)) return true;
  return false;
}

void CheckInstalled(RoadWorld &world, const Reached &font, const Snapshot &before,
                    const Snapshot &after) {
  std::string at = "installed " + Quote(font.row.fontName) + ": ";
  const std::string *original = Find(before.programFiles, font.source);
  const std::string *copy = Find(after.systemFiles, font.copy);
  if (original == nullptr || copy == nullptr || *copy != *original) world.Fail(at + "no true copy");
  if (Find(after.systemFiles, font.resource) == nullptr) world.Fail(at + "no .Fot");
  if (FontsValue(font.row.fontName) != font.resource)
    world.Fail(at + "WIN.INI holds " + Quote(FontsValue(font.row.fontName)));
  if (!InFontTable(world, font.resource)) world.Fail(at + "not in the font table");
}

// Source files: unchanged, or gone only when their font was installed with DeleteOriginals (and
// the program does not lie in the system directory, where the source is the installed copy).
void CheckProgramFiles(RoadWorld &world, const std::vector<Reached> &reached,
                       const Snapshot &before, const Snapshot &after) {
  if (world.input.programInSystem) return;  // the system directory's check covers them
  for (const auto &file : before.programFiles) {
    bool deletable = false;
    for (const Reached &font : reached) {
      deletable = deletable || (font.installed && world.input.deleteOriginals &&
                                SameName(file.first, font.source));
    }
    auto now = after.programFiles.find(file.first);
    bool deleteFailed = world.input.fault == RoadFault::Delete;
    if (deletable && now != after.programFiles.end() && !deleteFailed)
      world.Fail("source " + Quote(file.first) + " not deleted");
    if (now == after.programFiles.end() ? !deletable : now->second != file.second) {
      world.Fail("source " + Quote(file.first) +
                 (now == after.programFiles.end() ? " lost" : " changed"));
    }
  }
  for (const auto &file : after.programFiles) {
    if (before.programFiles.count(file.first) == 0)
      world.Fail("new file " + Quote(file.first) + " beside the program");
  }
}

// The system directory: a font's copy may be replaced, nothing else that was there changes, and
// what is new belongs to a font the run reached. Where the program lies there too, its font files
// are the sources and are never changed.
void CheckSystemFiles(RoadWorld &world, const std::vector<Reached> &reached, const Snapshot &before,
                      const Snapshot &after) {
  for (const auto &file : before.systemFiles) {
    bool replaceable = false;
    for (const Reached &font : reached) {
      replaceable = replaceable || SameName(file.first, font.copy);
    }
    if (world.input.programInSystem) replaceable = false;
    // Only a font or an empty file gives way to a copy, and only to a font.
    if (!file.second.empty() && !IsFontBytes(file.second)) replaceable = false;
    auto now = after.systemFiles.find(file.first);
    if (now == after.systemFiles.end()) {
      world.Fail("system file " + Quote(file.first) + " lost");
    } else if (now->second != file.second &&
               (!replaceable || (!now->second.empty() && !IsFontBytes(now->second)))) {
      world.Fail("system file " + Quote(file.first) + " changed");
    }
  }
  for (const auto &file : after.systemFiles) {
    if (before.systemFiles.count(file.first) != 0) continue;
    bool copy = false;
    bool resource = false;
    bool resourceWithCopy = false;   // a .Fot is made only for a copy that is there
    bool resourceInstalled = false;  // and stays only for a font that was installed
    bool fontSource = false;         // only a font file is brought in, even in part
    for (const Reached &font : reached) {
      if (SameName(file.first, font.copy)) {
        copy = true;
        const std::string *source = Find(before.programFiles, font.source);
        fontSource = fontSource || (source != nullptr && IsFontBytes(*source));
      }
      if (SameName(file.first, font.resource)) {
        resource = true;
        resourceWithCopy = resourceWithCopy || Find(after.systemFiles, font.copy) != nullptr;
        resourceInstalled = resourceInstalled || font.installed;
      }
    }
    if (!copy && !resource) world.Fail("new system file " + Quote(file.first));
    if (copy && !fontSource && !world.input.programInSystem)
      world.Fail("a file that is no font brought in as " + Quote(file.first));
    if (!copy && resource && !resourceWithCopy)
      world.Fail(".Fot " + Quote(file.first) + " without its copy");
    if (!copy && resource && !resourceInstalled)
      world.Fail(".Fot " + Quote(file.first) + " left by a font that failed");
  }
}

// WIN.INI's lines read by the profile's own rules: blanks and tabs around a line, a section's
// name, a key and a value are trimmed; names are compared without regard to ASCII case (accented
// letters are left as they are); a value in matching quotes loses them.
std::string ProfileTrim(const std::string &text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameProfileName(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 0x20) : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 0x20) : b[i];
    if (x != y) return false;
  }
  return true;
}

// The section a line opens: "[", the name, and the last "]".
bool SectionOf(const std::string &line, std::string *name) {
  std::string text = ProfileTrim(line);
  size_t close = text.rfind(']');
  if (text.empty() || text[0] != '[' || close == std::string::npos) return false;
  *name = ProfileTrim(text.substr(1, close - 1));
  return true;
}

bool EntryOf(const std::string &line, std::string *key, std::string *value) {
  std::string text = ProfileTrim(line);
  size_t equals = text.find('=');
  if (text.empty() || text[0] == '[' || equals == std::string::npos) return false;
  *key = ProfileTrim(text.substr(0, equals));
  *value = ProfileTrim(text.substr(equals + 1));
  if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
      value->back() == value->front())
    *value = value->substr(1, value->size() - 2);
  return true;
}

// WIN.INI: each line stays, but an empty value of a reached font's key (or any value of it when
// WIN.INI could not be read) may give way to its .Fot name; each new line is such a key or the
// Fonts section's header.
void CheckWinIni(RoadWorld &world, const std::vector<Reached> &reached, const Snapshot &before,
                 const Snapshot &after) {
  auto reachedKey = [&](const std::string &key) -> const Reached * {
    for (const Reached &font : reached) {
      if (SameProfileName(key, font.row.fontName)) return &font;
    }
    return nullptr;
  };
  std::vector<std::string> remaining = after.winIni;
  bool inFonts = false;
  for (const std::string &line : before.winIni) {
    std::string section;
    if (SectionOf(line, &section)) inFonts = SameProfileName(section, "Fonts");
    auto kept = std::find(remaining.begin(), remaining.end(), line);
    if (kept != remaining.end()) {
      remaining.erase(kept);
      continue;
    }
    std::string key, value;
    bool replaceable = inFonts && EntryOf(line, &key, &value) && reachedKey(key) != nullptr &&
                       (value.empty() || world.input.fault == RoadFault::ProfileRead);
    if (!replaceable) world.Fail("WIN.INI lost the line " + Quote(line));
  }
  for (const std::string &line : remaining) {
    std::string key, value;
    const Reached *font = EntryOf(line, &key, &value) ? reachedKey(key) : nullptr;
    if (line != "[Fonts]" && (font == nullptr || value != font->resource)) {
      world.Fail("WIN.INI gained the line " + Quote(line));
    }
  }
}

}  // namespace

void CheckRun(RoadWorld &world, const std::vector<TableRow> &table, const Snapshot &before,
              size_t firstBox) {
  std::vector<Reached> reached = FollowRun(world, table, firstBox);
  std::vector<TableRow> now = ReadTable();
  bool same = now.size() == table.size();
  for (size_t i = 0; same && i < now.size(); i++) {
    same = now[i].fileName == table[i].fileName && now[i].fontName == table[i].fontName &&
           now[i].fileSize == table[i].fileSize && now[i].selected == table[i].selected;
  }
  if (!same) world.Fail("the run changed the table");
  Snapshot after = TakeSnapshot(world);
  // A font that failed takes its resource out of the font table again, unless an installed
  // font shares its .Fot name (A.TTF and A.OTF both make A.Fot).
  for (const Reached &font : reached) {
    if (font.installed) CheckInstalled(world, font, before, after);
    bool shared = false;
    for (const Reached &other : reached)
      shared = shared || (other.installed && SameName(other.resource, font.resource));
    if (font.reported && !shared && InFontTable(world, font.resource))
      world.Fail("failed " + Quote(font.row.fontName) + ": still in the font table");
  }
  CheckProgramFiles(world, reached, before, after);
  CheckSystemFiles(world, reached, before, after);
  CheckWinIni(world, reached, before, after);
}
