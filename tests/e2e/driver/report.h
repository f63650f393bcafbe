// What the driver saw, as PASS and FAIL lines on standard output and in the scenario's log file.
// Every check names what a person would look at and quotes what was there, so a failing line
// reads on its own; the first failure of a scenario also saves a screenshot of that moment.
#pragma once

#include <string>
#include <vector>

void OpenReport(const std::string &logPath);
// Prints the closing line "NAME: N checks passed, M failed" and closes the log.
void CloseReport(const char *name);
int FailureCount();
int PassCount();

// A line of context ("- ..."), for what the scenario does next.
void Note(const char *format, ...);
bool Expect(bool ok, const std::string &what, const std::string &saw);
bool ExpectText(const std::string &what, const std::string &expected, const std::string &seen);
bool ExpectNumber(const std::string &what, long long expected, long long seen);

std::string Format(const char *format, ...);
// The text in single quotes, bytes outside 0x20..0x7E written as \xNN, so that the log shows
// exactly which bytes were seen.
std::string Quoted(const std::string &text);
// ['a', 'b']: a list of texts, each quoted.
std::string Listed(const std::vector<std::string> &texts);
