// A fresh machine for one test, on the real drive: a program directory, a system directory and a
// WIN.INI of its own, in a scratch folder beside the test program, which the import shim makes
// the program see. What it adds to the registry's font list is taken away at its end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Whether the program lies in the system directory, the program's and the system directory's paths
// are 115 characters long, and GetSystemDirectoryA answers with a trailing backslash.
struct SandboxLayout {
  bool programInSystem = false, deepProgram = false, deepSystem = false, systemBackslash = false;
};

class Sandbox {
 public:
  explicit Sandbox(const SandboxLayout &layout = SandboxLayout());
  ~Sandbox();
  Sandbox(const Sandbox &) = delete;
  Sandbox &operator=(const Sandbox &) = delete;

  // Windows paths, each directory ending in a backslash.
  std::string program, system, winIni;

  void Write(const std::string &path, const std::string &bytes) const;
  static std::string Read(const std::string &path);  // empty when absent
  bool Exists(const std::string &path) const {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // The names of the files (or of the folders but . and ..) in a directory, as spelt there.
  static std::vector<std::string> Files(const std::string &directory, bool folders = false);
  // The Fonts section of WIN.INI.
  void SetKey(const std::string &key, const std::string &value) const {
    WritePrivateProfileStringA("Fonts", key.c_str(), value.c_str(), winIni.c_str());
  }
  std::string Key(const std::string &key) const;

  // A real TrueType font from the machine's fonts (Debian's fonts-liberation); which picks one of
  // five.
  static std::string Font(int which);
  // The registry's font list (64-bit view) as name=value lines; with keep, the values not kept
  // are deleted.
  static std::vector<std::string> RegistryFonts(const std::vector<std::string> *keep = nullptr);

 private:
  std::string root_;
  std::vector<std::string> registryBefore_;
};
