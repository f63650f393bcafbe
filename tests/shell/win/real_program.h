// The real Quillbox.exe, started under Wine as a user starts it: copied into a folder with a list
// file and fonts, given a command line and a show command, and then watched and steered from the
// outside through its windows, the way another program on the desktop could.
#pragma once

#include <windows.h>

#include <string>

// The built executable, as a Windows path (the build tree seen through drive Z:).
std::string BuiltProgramPath();

// Copies the built program into dir (which ends in a backslash) with a list file naming two real
// fonts that lie beside it. Returns false when the program or a font could not be copied.
bool PrepareProgramFolder(const std::string &dir);

class RealProgram {
 public:
  RealProgram() = default;
  ~RealProgram();  // ends the process if it still runs
  RealProgram(const RealProgram &) = delete;
  RealProgram &operator=(const RealProgram &) = delete;

  // Starts dir\Quillbox.exe with the text after the program's name exactly as given (tail may be
  // "" or begin with blanks or tabs of its own) and the show command in the startup information.
  bool Start(const std::string &dir, const std::string &tail, int showCommand = SW_SHOWNORMAL);
  // Waits for the process to end; returns its exit code, or -1 when it did not end in time.
  int WaitForExit(DWORD milliseconds = 10000);
  bool Running() const;

 private:
  PROCESS_INFORMATION process_ = {};
};

// Calls test() every 20 ms until it returns true or the time is up; returns its last result.
template <typename Test>
bool WaitUntil(Test test, DWORD milliseconds = 10000) {
  DWORD start = GetTickCount();
  while (!test()) {
    if (GetTickCount() - start > milliseconds) return test();
    Sleep(20);
  }
  return true;
}

// The running copy's owner window (class FontWind with the program's caption), or null.
HWND FindOwnerWindow();
// The top-level dialog (class #32770) that owner owns, or null.
HWND FindOwnedDialog(HWND owner);
