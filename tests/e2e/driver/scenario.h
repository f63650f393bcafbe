// The scenarios: each a small function that builds its scene, uses the program and checks what a
// person sees and what is left afterwards. The table names them for the command line; CMake reads
// the names of the entries marked InSuite from the table's source and makes one test of each.
#pragma once

struct Scenario {
  const char *name;
  void (*run)();
  bool inSuite;  // false: run on request only (the demo)
};

constexpr bool InSuite = true;
constexpr bool OnRequest = false;

extern const Scenario Scenarios[];
extern const int ScenarioCount;

// scenarios_road.cpp
void RoadOfOneFont();
void SeveralFontsOneInLowerCase();
void HighByteFontName();
void EnterInstalls();
void Demo();
void DemoFolder();
void Screenshots();
// scenarios_loader.cpp
void LoaderMessages();
// scenarios_selection.cpp
void SelectAllAndUnselectAll();
void DeleteOption();
void LeaveWithoutInstalling();
// scenarios_run.cpp
void FailuresAnsweredOk();
void FailureAnsweredCancel();
void CancelDuringRun();
void CloseRefusedDuringRun();
// scenarios_shell.cpp
void SecondStart();
void StartedMinimised();
void MinimiseAndRestore();
