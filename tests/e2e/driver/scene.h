// The scene of a scenario on drive C: of a fresh Wine prefix: the program's folder with its copy
// of Quillbox.exe, the list file and real font files, and the two places the program writes to,
// the system directory and the Fonts section of WIN.INI. Paths are Windows paths.
#pragma once

#include <string>
#include <vector>

// One line of the list file: the file name as the list spells it, the font name, and which of
// the real fonts (0 to 7, each of another size) lies beside the program under that name.
struct FontLine {
  std::string file;
  std::string name;
  int real;
};

// Where the built Quillbox.exe lies (given by the runner).
void SetProgramSource(const std::string &exePath);
// The folder C:\Fonts Kit with a copy of Quillbox.exe, the fonts and the list file naming them;
// false when a file could not be written.
bool SetScene(const std::vector<FontLine> &fonts);
std::string ProgramPath();
std::string RealFontPath(int real);
std::string InFolder(const std::string &name);
std::string InSystemFolder(const std::string &name);

bool FileExists(const std::string &path);
std::string ReadBytes(const std::string &path);
// WIN.INI, section Fonts: the value of a key, "" when absent.
std::string FontsKey(const std::string &key);
// The whole of WIN.INI, for checks that a scenario changed nothing there.
std::string WinIni();
