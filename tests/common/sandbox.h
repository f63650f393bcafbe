// A fresh place for one test: the program's directory, the system directory and WIN.INI.
// On the host it is a new winsim machine per test, its drive C: in memory; under Wine it is the
// real drive, where the test program runs from a scratch folder of its own, and everything the test
// adds to the system directory and to the Fonts section of WIN.INI is taken away again when the
// sandbox ends.
#pragma once

#include <windows.h>

#include <string>

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox &) = delete;
  Sandbox &operator=(const Sandbox &) = delete;

  // Directories as Windows paths, each ending in a backslash.
  std::string ProgramDir() const;  // where the program (and its list file) lies
  std::string SystemDir() const;   // GetSystemDirectoryA, with a backslash added
  std::string InProgramDir(const std::string &name) const { return ProgramDir() + name; }
  std::string InSystemDir(const std::string &name) const { return SystemDir() + name; }

  // Files, by Windows path. WriteFile creates or replaces; the test's own files are removed at the
  // end.
  void WriteFile(const std::string &path, const std::string &bytes);
  std::string ReadFile(const std::string &path) const;  // empty when absent
  bool Exists(const std::string &path) const;
  void Remove(const std::string &path);
  void SetReadOnly(const std::string &path, bool readOnly);

  // The bytes of a real TrueType font from the machine's font packages; which = 0, 1, 2, ...
  // picks different fonts (sizes differ). Used where the real platform parses the font.
  static std::string RealFont(int which);

  // WIN.INI, section Fonts. Keys the test sets are removed again at the end.
  void SetFontsKey(const std::string &key, const std::string &value);
  std::string FontsKey(const std::string &key) const;  // "" when absent
  // Every line of WIN.INI as text (for checks that nothing else was changed).
  std::string WinIni() const;

  // The module handle to store in hInst so that the program finds ProgramDir().
  HINSTANCE Instance() const;

  // Remember a file in the system directory that the code under test creates, so that the
  // sandbox removes it (and, for .Fot files, its font resource) at the end under Wine.
  void WillCreateInSystemDir(const std::string &name);
  // Remember a WIN.INI Fonts key that the code under test writes.
  void WillWriteFontsKey(const std::string &key);

 private:
  struct State;
  State *state_;
};
