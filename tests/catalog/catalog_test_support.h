// What the catalog tests share: a fixture with a fresh sandbox, the message box watch and an
// empty candidate table, and readers that turn the table and the boxes into plain values.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "common/message_boxes.h"
#include "common/sandbox.h"
#include "shell/globals.h"

struct TableRecord {
  std::string fileName;
  std::string fontName;
  int fileSize;
  int selected;
  bool operator==(const TableRecord &o) const {
    return std::tie(fileName, fontName, fileSize, selected) ==
           std::tie(o.fileName, o.fontName, o.fileSize, o.selected);
  }
};

inline void PrintTo(const TableRecord &record, std::ostream *out) {
  *out << "{" << record.fileName << ", " << record.fontName << ", " << record.fileSize << ", "
       << record.selected << "}";
}

// The records in table order; the table must be left unlocked.
inline std::vector<TableRecord> TableRecords() {
  std::vector<TableRecord> records;
  if (FontCount == 0) return records;
  EXPECT_EQ(0u, GlobalFlags(FontList) & GMEM_LOCKCOUNT) << "the table was left locked";
  const FontItem *items = (const FontItem *)GlobalLock(FontList);
  for (int i = 0; i < FontCount; i++)
    records.push_back({items[i].fileName, items[i].fontName, items[i].fileSize, items[i].selected});
  GlobalUnlock(FontList);
  return records;
}

// Bytes that differ from position to position, so that a chunk copied twice or skipped shows.
inline std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i++) bytes[i] = (char)(i * 7 + i / 251);
  return bytes;
}

// A box as "text / style / caption / owner", so that a mismatch prints both sides whole.
inline std::string Describe(const ShownMessageBox &box) {
  return box.text + " / " + std::to_string(box.style) + " / " + box.caption +
         (box.owner == nullptr ? " / no owner" : " / owned");
}

// The loader's one message, as Describe gives it (none for a null text): no owner, OK alone, the
// program's caption.
inline std::vector<std::string> LoaderBoxes(const char *text, UINT icon) {
  if (text == nullptr) return {};
  return {Describe({nullptr, text, AppCaption, (UINT)(MB_OK | icon)})};
}

constexpr const char *NotFoundText = "The file 'quillbox.lst' is not found or incorrect.";
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

  void WriteList(const std::string &bytes) {
    sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"), bytes);
  }
  // A font file beside the program; its bytes are only counted, never parsed.
  void PlaceFont(const std::string &name, int size) {
    sandbox.WriteFile(sandbox.InProgramDir(name), std::string(size, 'F'));
  }
  // The boxes shown since the last call, described.
  std::vector<std::string> NewBoxes() {
    std::vector<std::string> fresh;
    std::vector<ShownMessageBox> shown = boxes.Shown();
    for (size_t i = seenBoxes; i < shown.size(); i++) fresh.push_back(Describe(shown[i]));
    seenBoxes = shown.size();
    return fresh;
  }

  Sandbox sandbox;
  MessageBoxWatch boxes;  // after the sandbox: on the host it watches the sandbox's machine
  size_t seenBoxes = 0;
};

class CatalogTest : public testing::Test, public CatalogPlace {};

// Loads the place's list afresh and describes what the load left: the result, the found count,
// the records and the boxes, for loads made two ways that must agree in everything.
inline std::string DescribeLoad(CatalogPlace &place) {
  ReleaseFontList();
  std::ostringstream outcome;
  outcome << LoadFontList() << " " << foundCount << "\n";
  for (const TableRecord &record : TableRecords()) PrintTo(record, &outcome);
  for (const std::string &box : place.NewBoxes()) outcome << "\n" << box;
  return outcome.str();
}
