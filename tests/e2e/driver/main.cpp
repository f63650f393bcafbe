// The end-to-end driver: runs one scenario against a built Quillbox.exe in the Wine prefix it
// runs in, prints PASS and FAIL lines, and ends with "NAME: N checks passed, M failed" and exit
// code 0 only when it checked something and every check passed.
//
//   e2e_driver --list
//   e2e_driver SCENARIO QUILLBOX_EXE LOG_FILE [SCREENSHOT_FOLDER]
//
// QUILLBOX_EXE and LOG_FILE are Windows paths; SCREENSHOT_FOLDER is a Unix path (import saves
// there).
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "process.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "shot.h"

int main(int argc, char **argv) {
  if (argc == 2 && strcmp(argv[1], "--list") == 0) {
    for (int i = 0; i < ScenarioCount; i++) {
      if (Scenarios[i].inSuite) printf("%s\n", Scenarios[i].name);
    }
    return 0;
  }
  if (argc < 4) {
    fprintf(stderr, "usage: e2e_driver --list | SCENARIO QUILLBOX_EXE LOG_FILE [SHOT_FOLDER]\n");
    return 2;
  }
  const Scenario *scenario = nullptr;
  for (int i = 0; i < ScenarioCount; i++) {
    if (strcmp(Scenarios[i].name, argv[1]) == 0) scenario = &Scenarios[i];
  }
  if (!scenario) {
    fprintf(stderr, "no scenario named %s\n", argv[1]);
    return 2;
  }
  SetProgramSource(argv[2]);
  OpenReport(argv[3]);
  if (argc > 4) SetShotFolder(argv[4]);
  Note("scenario %s; ANSI code page %u; screen %dx%d", scenario->name, GetACP(),
       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  DWORD start = GetTickCount();
  scenario->run();
  EndStartedPrograms();
  Note("the scenario took %lu ms", GetTickCount() - start);
  int ok = FailureCount() == 0 && PassCount() > 0;
  CloseReport(scenario->name);
  return ok ? 0 : 1;
}
