// The properties a case must keep, whatever its input and its fault: the table's invariants, a
// loader result that agrees with its one message box, every font of the run either installed
// whole or reported, no source file changed or removed unless installed with DeleteOriginals,
// WIN.INI keeping every line it had, and nothing left open, locked or allocated.
#include <windows.h>

#include <winsim/sim.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "catalog/font_table.h"
#include "catalog/resource_name.h"
#include "road_world.h"
#include "shell/globals.h"

namespace {

constexpr const char *NotFoundText = "The file 'quillbox.lst' is not found or incorrect.";
constexpr const char *NoMemoryText = "Available memory is not enough.";
constexpr const char *NoFontsText = "There are no font files.";
constexpr const char *AllInstalledText = "All additional TrueType fonts are already installed.";

// The files of a directory by their names alone.
std::map<std::string, std::string> FileNamesIn(const std::string &winDir) {
  std::map<std::string, std::string> files;
  for (const std::string &name : winsim::DriveFileNames(winDir)) files[name];
  return files;
}

std::vector<std::string> ReadWinIni() {
  std::vector<std::string> lines;
  std::string bytes;
  winsim::ReadDriveFile("C:\\WINDOWS\\WIN.INI", &bytes);
  for (size_t start = 0; start < bytes.size();) {
    size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string FontsValue(const std::string &key) {
  char value[256];
  GetProfileStringA("Fonts", key.c_str(), "", value, sizeof value);
  return value;
}

std::string Quote(const std::string &text) {
  return "'" + text + "'";
}

bool Printable(const std::string &text) {
  for (char c : text) {
    if (c >= 0x01 && c <= 0x1F) return false;
  }
  return true;
}

bool FollowsEightThree(const std::string &name) {
  if (name.find_first_of("\\/:") != std::string::npos) return false;
  size_t dot = name.find('.');
  if (dot == std::string::npos) return name.size() <= 8;
  return dot >= 1 && dot <= 8 && name.size() - dot - 1 <= 3;
}

void CheckTableInvariants(RoadWorld &world, const std::vector<TableRow> &rows) {
  for (size_t i = 0; i < rows.size(); i++) {
    const TableRow &row = rows[i];
    std::string at = "record " + std::to_string(i) + " " + Quote(row.fileName) + ": ";
    if (row.fileName.empty() || row.fileName.size() > 15) world.Fail(at + "file name length");
    if (row.fontName.empty() || row.fontName.size() > 79) world.Fail(at + "font name length");
    if (!FollowsEightThree(row.fileName)) world.Fail(at + "not a plain 8.3 name");
    if (row.fileName.find(' ') != std::string::npos) world.Fail(at + "blank in the file name");
    if (row.fontName.front() == ' ' || row.fontName.back() == ' ')
      world.Fail(at + "font name not trimmed");
    if (!Printable(row.fileName) || !Printable(row.fontName)) world.Fail(at + "control byte");
    if (row.selected != 0) world.Fail(at + "added selected");
    for (size_t j = 0; j < i; j++) {
      if (lstrcmpiA(rows[j].fileName.c_str(), row.fileName.c_str()) == 0) {
        world.Fail(at + "file name repeats record " + std::to_string(j));
      }
      if (lstrcmpiA(rows[j].fontName.c_str(), row.fontName.c_str()) == 0) {
        world.Fail(at + "font name repeats record " + std::to_string(j));
      }
    }
    std::string bytes;
    if (!winsim::ReadDriveFile(world.programDir + row.fileName, &bytes) ||
        bytes.size() != static_cast<size_t>(row.fileSize))
      world.Fail(at + "size is not the file's");
  }
  // Records come from the list's lines, in their order.
  size_t line = 0;
  for (const TableRow &row : rows) {
    while (line < world.lines.size() &&
           !(world.lines[line].fileName == row.fileName && world.lines[line].hasFontName &&
             world.lines[line].fontName == row.fontName)) {
      line++;
    }
    if (line == world.lines.size())
      world.Fail("record " + Quote(row.fileName) + " out of list order");
    line++;
  }
}

// A line no reader could refuse: an 8.3 name of capitals and digits that names no device, one
// or more blanks, a font name of letters, digits and blanks, all within 127 bytes.
bool IsPlainLine(const ListLine &line) {
  if (line.raw.size() > 127 || !line.hasFontName ||
      line.raw.compare(0, line.fileName.size(), line.fileName) != 0) {
    return false;
  }
  size_t dot = line.fileName.find('.');
  std::string base = line.fileName.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : line.fileName.substr(dot + 1);
  auto plain = [](const std::string &text, bool blanks) {
    for (char c : text) {
      bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z' && blanks);
      if (!letter && !(c >= '0' && c <= '9') && !(blanks && c == ' ')) return false;
    }
    return true;
  };
  if (base.empty() || base.size() > 8 || extension.size() > 3 || !plain(base, false) ||
      !plain(extension, false) || !plain(line.fontName, true) || line.fontName.size() > 79) {
    return false;
  }
  bool device =
      base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" ||
      (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
       base[3] >= '1' && base[3] <= '9');
  return !device;
}

// Whether the directory holds the file, its name compared as the file system does.
bool HasFile(const std::map<std::string, std::string> &files, const std::string &name) {
  for (const auto &file : files) {
    if (UpperName(file.first) == UpperName(name)) return true;
  }
  return false;
}

// Without a fault, every plain line whose file lies beside the program and whose font is not
// installed becomes a record, unless an earlier record has its file name or font name.
void CheckPlainLinesKept(RoadWorld &world, const std::vector<TableRow> &rows,
                         const Snapshot &before) {
  for (const ListLine &line : world.lines) {
    if (!IsPlainLine(line) || !HasFile(before.programFiles, line.fileName)) continue;
    if (HasFile(before.systemFiles, ResourceNameOf(line.fileName)) ||
        !FontsValue(line.fontName).empty()) {
      continue;
    }
    bool kept = false;
    bool taken = false;
    for (const TableRow &row : rows) {
      kept = kept || (row.fileName == line.fileName && row.fontName == line.fontName);
      taken = taken || lstrcmpiA(row.fileName.c_str(), line.fileName.c_str()) == 0 ||
              lstrcmpiA(row.fontName.c_str(), line.fontName.c_str()) == 0;
    }
    if (!kept && !taken) world.Fail("the plain line " + Quote(line.raw) + " was dropped");
  }
}

}  // namespace

std::string UpperName(const std::string &name) {
  std::string upper = name;
  CharUpperA(upper.data());
  return upper;
}

std::string ResourceNameOf(const std::string &name) {
  char resourceName[FileNameSize];
  MakeResourceName(name.c_str(), resourceName);
  return resourceName;
}

Snapshot TakeSnapshot(const RoadWorld &world) {
  Snapshot snapshot;
  snapshot.programFiles = winsim::DriveFiles(world.programDir);
  snapshot.systemFiles = winsim::DriveFiles(world.systemDir);
  snapshot.winIni = ReadWinIni();
  return snapshot;
}

std::vector<TableRow> ReadTable() {
  std::vector<TableRow> rows;
  if (FontCount == 0 || FontList == NULL) return rows;
  const FontItem *items = static_cast<const FontItem *>(GlobalLock(FontList));
  if (items == NULL) return rows;
  for (int i = 0; i < FontCount; i++) {
    const FontItem &item = items[i];
    TableRow row;
    row.fileName.assign(item.fileName, strnlen(item.fileName, FileNameSize));
    row.fontName.assign(item.fontName, strnlen(item.fontName, FontNameSize));
    row.fileSize = item.fileSize;
    row.selected = item.selected;
    rows.push_back(row);
  }
  GlobalUnlock(FontList);
  return rows;
}

void CheckLoader(RoadWorld &world, int result, const Snapshot &before, bool faultArmed) {
  const std::vector<winsim::MessageBoxRecord> &boxes = winsim::MessageBoxes();
  if (result == 1) {
    if (!boxes.empty()) world.Fail("the loader returned 1 after the box " + Quote(boxes[0].text));
    if (FontCount <= 0 || FontList == NULL) world.Fail("the loader returned 1 with no table");
  } else if (result == 0) {
    if (FontCount != 0 || FontList != NULL) world.Fail("the loader returned 0 with a table");
    if (boxes.size() != 1) {
      world.Fail("the loader returned 0 after " + std::to_string(boxes.size()) + " boxes");
    } else {
      const winsim::MessageBoxRecord &box = boxes[0];
      bool known = (box.text == NotFoundText && box.style == MB_ICONERROR) ||
                   (box.text == NoMemoryText && box.style == MB_ICONERROR) ||
                   (box.text == NoFontsText && box.style == MB_ICONWARNING) ||
                   (box.text == AllInstalledText && box.style == MB_ICONINFORMATION);
      if (!known || box.owner != NULL || box.caption != AppCaption) {
        world.Fail("the loader's box " + Quote(box.text) + " style " + std::to_string(box.style));
      }
      size_t size = world.input.list.size();
      bool fits = size >= 1 && size <= 65000;
      if (!faultArmed && (box.text == NotFoundText) == fits)
        world.Fail("list file of " + std::to_string(size) + " bytes: " + Quote(box.text));
      if (!faultArmed && box.text == NoMemoryText) world.Fail("out of memory without a fault");
    }
  } else {
    world.Fail("the loader returned " + std::to_string(result));
  }

  std::vector<TableRow> rows = ReadTable();
  CheckTableInvariants(world, rows);
  if (!faultArmed) {
    // Without a fault every record is a font that is not installed yet.
    for (const TableRow &row : rows) {
      std::string resource = ResourceNameOf(row.fileName);
      bool formed = world.systemDir.size() + resource.size() <= 127;
      std::string there = world.systemDir + resource;
      if (formed && GetFileAttributesA(there.c_str()) != INVALID_FILE_ATTRIBUTES) {
        world.Fail("record " + Quote(row.fileName) + " has its .Fot already");
      }
      if (!FontsValue(row.fontName).empty())
        world.Fail("record " + Quote(row.fontName) + " is in WIN.INI");
    }
    CheckPlainLinesKept(world, rows, before);
  }
  // The loader only reads: the same files are there, and WIN.INI is as it was. (Their bytes are
  // compared after the run, which would see any change the loader made.)
  auto sameNames = [](const std::map<std::string, std::string> &a,
                      const std::map<std::string, std::string> &b) {
    if (a.size() != b.size()) return false;
    for (const auto &file : a) {
      if (b.count(file.first) == 0) return false;
    }
    return true;
  };
  if (!sameNames(FileNamesIn(world.programDir), before.programFiles) ||
      !sameNames(FileNamesIn(world.systemDir), before.systemFiles) ||
      ReadWinIni() != before.winIni) {
    world.Fail("the loader changed a file");
  }
}

void CheckNothingLeft(RoadWorld &world, int tableBlocks) {
  if (winsim::OpenFileHandles() != 0) world.Fail("a file handle left open");
  if (winsim::OpenIdentityHandles() != 0) world.Fail("an identity handle left open");
  if (winsim::LockedBlocks() != 0) world.Fail("a memory block left locked");
  if (winsim::LiveBlocks() != tableBlocks)
    world.Fail("memory blocks: " + std::to_string(winsim::LiveBlocks()));
  if (winsim::InvalidHandleUses() != 0) world.Fail("a freed or unknown handle used");
}
