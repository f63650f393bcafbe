// PASS and FAIL lines, their counts, and the closing line that the runner reads.
#include "report.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>

#include "shot.h"

namespace {

FILE *logFile = nullptr;
int passCount = 0;
int failCount = 0;

void Emit(const std::string &line) {
  fputs(line.c_str(), stdout);
  fputc('\n', stdout);
  fflush(stdout);
  if (logFile) {
    fputs(line.c_str(), logFile);
    fputc('\n', logFile);
    fflush(logFile);
  }
}

std::string FormatList(const char *format, va_list args) {
  char buffer[4096];
  vsnprintf(buffer, sizeof buffer, format, args);
  return buffer;
}

}  // namespace

void OpenReport(const std::string &logPath) {
  logFile = fopen(logPath.c_str(), "wb");
}

void CloseReport(const char *name) {
  Emit(Format("%s: %d checks passed, %d failed", name, passCount, failCount));
  if (logFile) fclose(logFile);
  logFile = nullptr;
}

int FailureCount() {
  return failCount;
}

int PassCount() {
  return passCount;
}

void Note(const char *format, ...) {
  va_list args;
  va_start(args, format);
  Emit("- " + FormatList(format, args));
  va_end(args);
}

bool Expect(bool ok, const std::string &what, const std::string &saw) {
  if (ok) {
    passCount++;
    Emit("PASS " + what + (saw.empty() ? "" : ": " + saw));
    return true;
  }
  failCount++;
  Emit("FAIL " + what + ": " + saw);
  if (failCount == 1) Shot(Format("failure-at-%lu-ms", GetTickCount() % 100000000));
  return false;
}

bool ExpectText(const std::string &what, const std::string &expected, const std::string &seen) {
  if (expected == seen) return Expect(true, what, Quoted(seen));
  return Expect(false, what, "expected " + Quoted(expected) + ", saw " + Quoted(seen));
}

bool ExpectNumber(const std::string &what, long long expected, long long seen) {
  if (expected == seen) return Expect(true, what, Format("%lld", seen));
  return Expect(false, what, Format("expected %lld, saw %lld", expected, seen));
}

std::string Format(const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatList(format, args);
  va_end(args);
  return text;
}

std::string Quoted(const std::string &text) {
  std::string out = "'";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "'";
}

std::string Listed(const std::vector<std::string> &texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); i++) out += (i ? ", " : "") + Quoted(texts[i]);
  return out + "]";
}
