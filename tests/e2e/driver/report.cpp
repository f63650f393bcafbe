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
  for (FILE *out : {stdout, logFile}) {
    if (out) fprintf(out, "%s\n", line.c_str()), fflush(out);
  }
}

std::string FormatList(const char *format, va_list args) {
  char buffer[2048];
  vsnprintf(buffer, sizeof buffer, format, args);
  return buffer;
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

void Note(const char *format, ...) {
  va_list args;
  va_start(args, format);
  Emit("- " + FormatList(format, args));
  va_end(args);
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
  va_list args;
  va_start(args, format);
  std::string text = FormatList(format, args);
  va_end(args);
  return text;
}
