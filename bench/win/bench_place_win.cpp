// The place under Wine: the folder of the benchmark program, which also holds the list file, the
// font files and the copies of Quillbox.exe that a benchmark starts.
#include "common/bench_place.h"

#include <cstdio>

namespace {

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

std::string ProgramDir() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
  std::string dir(path, length);
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

bool OpenPlace(const std::string &dir) {
  if (lstrcmpiA(WithBackslash(dir).c_str(), ProgramDir().c_str()) == 0) return true;
  std::fprintf(stderr, "run the benchmark from %s itself (it is in %s)\n", dir.c_str(),
               ProgramDir().c_str());
  return false;
}

std::string SystemDir() {
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, sizeof path);
  return WithBackslash(std::string(path, length));
}

const char *PlatformName() {
  // The build's architecture, so that the i686 and x86_64 rows of one table tell themselves apart.
  return sizeof(void *) == 8 ? "Wine (x86_64)" : "Wine (i686)";
}

HINSTANCE PlaceInstance() {
  return GetModuleHandleA(NULL);
}

bool WriteWholeFile(const std::string &dir, const std::string &name, const std::string &bytes) {
  std::string path = dir + name;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  CloseHandle(file);
  return ok && written == bytes.size();
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  auto seconds = [](const FILETIME &time) {
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) *
           1e-7;
  };
  return seconds(kernel) + seconds(user);
}
