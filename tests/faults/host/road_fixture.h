// The whole road of three fonts, run as the user runs it: the program started with /d on a list
// of five lines, the delete box checked, Select All, Install, every message box answered. A fault
// set beforehand fires somewhere on that road; the outcome records what the user saw and what the
// machine holds afterwards, for the checks of the fault matrix.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <winsim/sim.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/sandbox.h"

// A font of the road: its line in the list file and the size of its file beside the program.
struct RoadFont {
  std::string fileName;
  std::string fontName;
  size_t size;
  std::string Resource() const;  // its .Fot name
};

// In table order. The sizes take the copy through its fixed buffer, one block and three chunks.
extern const RoadFont RoadFonts[3];
// Listed too, and already in WIN.INI: found, but not offered.
extern const RoadFont InstalledFont;

// The files of the program's and the system directory with their bytes, and WIN.INI's lines.
struct RoadFiles {
  std::map<std::string, std::string> program;
  std::map<std::string, std::string> system;
  std::vector<std::string> winIni;
};

struct RoadOutcome {
  int exitCode = -1;
  bool dialogShown = false;
  int faultsBeforeDialog = 0;        // faults fired while the list was read
  std::vector<std::string> offered;  // the selection list, as shown
  std::vector<winsim::MessageBoxRecord> boxes;
  RoadFiles before;
  RoadFiles after;
};

class Road {
 public:
  Road();
  ~Road();
  Road(const Road &) = delete;
  Road &operator=(const Road &) = delete;

  // Runs the program to its end after arm() set the fault; firstAnswer answers the first message
  // box (every later one gets OK).
  RoadOutcome Run(const std::function<void()> &arm, int firstAnswer);

  Sandbox &sandbox() { return *sandbox_; }

 private:
  RoadFiles Files() const;
  std::unique_ptr<Sandbox> sandbox_;
};
