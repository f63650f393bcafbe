// Reads /proc through Wine's drive Z:. /proc files report no size, so each is read in one go into
// a buffer that is large enough for the few fields wanted.
#include "unix_process_win.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr long ClockTicksPerSecond = 100;  // USER_HZ on Linux

std::string ReadProcFile(long pid, const char *name) {
  std::string path = "Z:\\proc\\" + std::to_string(pid) + "\\" + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                            OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return "";
  char buffer[4096];
  DWORD read = 0;
  if (!ReadFile(file, buffer, sizeof buffer, &read, NULL)) read = 0;
  CloseHandle(file);
  return std::string(buffer, read);
}

bool IsNumber(const char *text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; text++)
    if (*text < '0' || *text > '9') return false;
  return true;
}

}  // namespace

long FindUnixProcess(const std::string &exePath) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  long found = 0;
  do {
    if (!IsNumber(entry.cFileName)) continue;
    long pid = std::atol(entry.cFileName);
    std::string commandLine = ReadProcFile(pid, "cmdline");
    std::string first = commandLine.substr(0, commandLine.find('\0'));
    if (!first.empty() && lstrcmpiA(first.c_str(), exePath.c_str()) == 0) found = pid;
  } while (found == 0 && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

double UnixCpuSeconds(long pid) {
  // Fields after the command name (which ends with the last ')'): 3 state ... 14 utime 15 stime.
  std::string stat = ReadProcFile(pid, "stat");
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1.0;
  const char *field = stat.c_str() + close + 2;
  for (int number = 3; number < 14 && field != nullptr; number++) {
    field = std::strchr(field, ' ');
    if (field != nullptr) field++;
  }
  if (field == nullptr) return -1.0;
  char *end = nullptr;
  double user = std::strtod(field, &end);
  double system = std::strtod(end, nullptr);
  return (user + system) / ClockTicksPerSecond;
}

double UnixPeakResident(long pid) {
  std::string status = ReadProcFile(pid, "status");
  size_t at = status.find("VmHWM:");
  if (at == std::string::npos) return -1.0;
  return std::strtod(status.c_str() + at + 6, nullptr) * 1024.0;
}
