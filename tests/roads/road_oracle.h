// The one oracle of a road: what the loader and the run may change on disk, in WIN.INI, in the
// registry's font list and in the font table, judged against a snapshot taken before, and that
// every handle is closed and every memory block freed. A file is told by what the run did with
// it (the copy of a font it installed, that font's .Fot), not by its name alone.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/sandbox.h"
#include "roads/road.h"

// A file name in upper case as CharUpperA makes it, and the .Fot name the run gives it.
std::string UpperName(const std::string &name);
std::string ResourceNameOf(const std::string &name);

struct TableRow {
  std::string fileName, fontName;
  int fileSize = 0, selected = 0;
};

struct Snapshot {
  std::map<std::string, std::string> files;  // by upper-case Windows path
  std::vector<std::string> winIni;           // "SECTION|line" entries
  std::vector<std::string> registry;
};

struct RoadOracle {
  RoadOracle(const Road &road, const Sandbox &box)
      : lines(SplitListLines(road.list)), road(road), box(box) {}
  void Before() { before = Take(); }
  void CheckLoader(int result);
  void NoteSelection();
  void CheckRun();
  void Fail(const std::string &what) { failures += failures.size() < 4000 ? what + "\n" : ""; }
  Snapshot Take() const;
  void CheckTable();
  void CheckHandles(int blocks);  // blocks: the memory blocks that may be alive

  std::vector<ListLine> lines;
  std::string failures;
  const Road &road;
  const Sandbox &box;
  Snapshot before;
  std::vector<TableRow> table;
};
