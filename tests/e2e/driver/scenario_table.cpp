// The table of scenarios. One entry a line, in the form CMake reads: {"name", Function, InSuite}.
#include "scenario.h"

const Scenario Scenarios[] = {
    {"road-of-one-font", RoadOfOneFont, InSuite},
    {"several-fonts-one-in-lower-case", SeveralFontsOneInLowerCase, InSuite},
    {"loader-messages", LoaderMessages, InSuite},
    {"select-all-and-unselect-all", SelectAllAndUnselectAll, InSuite},
    {"delete-option", DeleteOption, InSuite},
    {"failures-answered-ok", FailuresAnsweredOk, InSuite},
    {"failure-answered-cancel", FailureAnsweredCancel, InSuite},
    {"cancel-during-run", CancelDuringRun, InSuite},
    {"leave-without-installing", LeaveWithoutInstalling, InSuite},
    {"enter-installs", EnterInstalls, InSuite},
    {"second-start", SecondStart, InSuite},
    {"started-minimised", StartedMinimised, InSuite},
    {"minimise-and-restore", MinimiseAndRestore, InSuite},
    {"close-refused-during-run", CloseRefusedDuringRun, InSuite},
    {"high-byte-font-name", HighByteFontName, InSuite},
    {"screenshots", Screenshots, InSuite},
    {"demo", Demo, OnRequest},
    {"demo-folder", DemoFolder, OnRequest},
};

const int ScenarioCount = sizeof Scenarios / sizeof Scenarios[0];
