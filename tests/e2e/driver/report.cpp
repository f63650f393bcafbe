// PASS and FAIL lines, their counts, and the closing line.
#include "report.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>

#include "xserver.h"

namespace {

FILE *logFile = nullptr;
int passCount = 0;
int failCount = 0;

void Emit(const std::string &line) {
  if (logFile) fprintf(logFile, "%s\n", line.c_str()), fflush(logFile);
}

}  // namespace

void OpenReport(const std::string &logPath) {
  logFile = fopen(logPath.c_str(), "wb");
}

bool CloseReport(const char *name) {
  Emit(Format("%s: %d checks passed, %d failed", name, passCount, failCount));
  if (logFile) fclose(logFile);
  return passCount > 0 && failCount == 0;
}

void Note(const std::string &line) {
  Emit("- " + line);
}

bool Expect(bool ok, const std::string &what, const std::string &saw) {
  (ok ? passCount : failCount)++;
  Emit((ok ? "PASS " : "FAIL ") + what + (saw.empty() ? "" : ": " + saw));
  if (!ok && failCount == 1) Shot(Format("failure-at-%lu-ms", GetTickCount() % 100000000));
  return ok;
}

bool ExpectText(const std::string &what, const std::string &expected, const std::string &seen) {
  return Expect(
      seen == expected, what,
      seen == expected ? "'" + seen + "'" : "expected '" + expected + "', saw '" + seen + "'");
}

std::string Format(const char *format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}
