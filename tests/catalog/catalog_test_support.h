// What the catalog tests share: a fixture with a fresh sandbox, the message box watch and an
// empty candidate table, and readers that turn the table and the boxes into plain values.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "catalog/font_table.h"
#include "common/message_boxes.h"
#include "common/sandbox.h"
#include "shell/globals.h"

struct TableRecord {
  std::string fileName;
  std::string fontName;
  int fileSize;
  int selected;
  bool operator==(const TableRecord &other) const {
    return fileName == other.fileName && fontName == other.fontName && fileSize == other.fileSize &&
           selected == other.selected;
  }
};

inline void PrintTo(const TableRecord &record, std::ostream *out) {
  *out << "{" << record.fileName << ", " << record.fontName << ", " << record.fileSize << ", "
       << record.selected << "}";
}

// The records in table order. The block must be unlocked before and after the read.
inline std::vector<TableRecord> TableRecords() {
  std::vector<TableRecord> records;
  if (FontCount == 0) {
    EXPECT_EQ(nullptr, FontList) << "an empty table holds no block";
    return records;
  }
  EXPECT_EQ(0u, GlobalFlags(FontList) & GMEM_LOCKCOUNT) << "the table was left locked";
  const FontItem *items = (const FontItem *)GlobalLock(FontList);
  EXPECT_NE(nullptr, items);
  if (items == nullptr) return records;
  for (int i = 0; i < FontCount; i++)
    records.push_back({items[i].fileName, items[i].fontName, items[i].fileSize, items[i].selected});
  GlobalUnlock(FontList);
  return records;
}

// One box as "text / style / caption / owner", so that a mismatch prints both sides whole.
inline std::vector<std::string> Describe(const std::vector<ShownMessageBox> &boxes) {
  std::vector<std::string> lines;
  for (const ShownMessageBox &box : boxes) {
    char style[16];
    wsprintfA(style, "0x%02X", box.style);
    lines.push_back(box.text + " / " + style + " / " + box.caption +
                    (box.owner == nullptr ? " / no owner" : " / owned"));
  }
  return lines;
}

// The line a loader message box leaves in Describe: no owner, OK only, the program's caption.
inline std::string LoaderBox(const std::string &text, UINT icon) {
  return Describe({{nullptr, text, AppCaption, (UINT)(MB_OK | icon)}})[0];
}

constexpr const char *NotFoundText = "The file 'quillbox.lst' is not found or incorrect.";
constexpr const char *NoMemoryText = "Available memory is not enough.";
constexpr const char *NoFontsText = "There are no font files.";
constexpr const char *AllInstalledText = "All additional TrueType fonts are already installed.";

// One place to load a list in: a fresh sandbox, a watch on its message boxes and an empty
// candidate table, which is released again before the sandbox ends.
class CatalogPlace {
 public:
  CatalogPlace() {
    hInst = sandbox.Instance();
    FontList = nullptr;
    FontCount = 0;
  }
  ~CatalogPlace() { ReleaseFontList(); }
  CatalogPlace(const CatalogPlace &) = delete;
  CatalogPlace &operator=(const CatalogPlace &) = delete;

  void WriteList(const std::string &bytes) {
    sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"), bytes);
  }
  // A font file beside the program; its bytes are only counted, never parsed.
  void PlaceFont(const std::string &name, int size) {
    sandbox.WriteFile(sandbox.InProgramDir(name), std::string(size, 'F'));
  }
  // A file in the system directory, such as the .Fot file of an installed font.
  void PlaceInSystemDir(const std::string &name) {
    sandbox.WillCreateInSystemDir(name);
    sandbox.WriteFile(sandbox.InSystemDir(name), "resource");
  }

  // The boxes shown since the last call, described.
  std::vector<std::string> NewBoxes() {
    std::vector<ShownMessageBox> shown = boxes.Shown();
    std::vector<ShownMessageBox> fresh(shown.begin() + seenBoxes, shown.end());
    seenBoxes = shown.size();
    return Describe(fresh);
  }

  Sandbox sandbox;
  MessageBoxWatch boxes;  // after the sandbox: on the host it watches the sandbox's machine
  size_t seenBoxes = 0;
};

class CatalogTest : public testing::Test, public CatalogPlace {};
