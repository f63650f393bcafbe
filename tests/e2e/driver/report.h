// What the driver saw, as PASS and FAIL lines in the scenario's log file.
// Every check names what a person would look at and says what was there, so a failing line reads
// on its own; the first failure of a scenario also saves a screenshot of that moment.
#pragma once

#include <string>

void OpenReport(const std::string &logPath);
// Prints the closing line "NAME: N checks passed, M failed", which run.sh reads, and closes the
// log. True when something was checked and every check passed.
bool CloseReport(const char *name);

// A line of context ("- ..."), for what the scenario does next.
void Note(const std::string &line);
bool Expect(bool ok, const std::string &what, const std::string &saw = "");
bool ExpectText(const std::string &what, const std::string &expected, const std::string &seen);
std::string Format(const char *format, ...);
