// The scene of a scenario on drive C: of a fresh Wine prefix: the program's folder with its copy
// of Quillbox.exe, the list file and the font files, and the two places the program writes to,
// the system directory and the Fonts section of WIN.INI. Paths are Windows paths.
#pragma once

#include <string>

// Where the built Quillbox.exe lies (given by the runner) and the folder the scenario runs it in.
void SetProgramSource(const std::string &exePath);
std::string ProgramFolder();  // ends in a backslash
std::string ProgramPath();    // the copy in ProgramFolder()
// Creates the program's folder and copies Quillbox.exe into it; false when that failed.
bool LayOutFolder();

// The real TrueType files the scenarios install (DejaVu and Liberation); which = 0 .. 7, each of
// a different size, so that the progress bar's steps differ.
constexpr int RealFontCount = 8;
std::string RealFontPath(int which);
// Copies real font `which` beside the program under fileName.
bool PlaceFont(const std::string &fileName, int which);
// Writes Quillbox.Lst beside the program with exactly these bytes.
bool WriteListFile(const std::string &bytes);

std::string InFolder(const std::string &name);
std::string SystemFolder();  // GetSystemDirectoryA with a backslash
std::string InSystemFolder(const std::string &name);

bool FileExists(const std::string &path);
long long FileSize(const std::string &path);  // -1 when absent
std::string ReadBytes(const std::string &path);
bool WriteBytes(const std::string &path, const std::string &bytes);
bool RemoveFile(const std::string &path);
// Whether two files hold the same bytes (both present).
bool SameBytes(const std::string &pathA, const std::string &pathB);

// WIN.INI, section Fonts: the value of a key, "" when absent.
std::string FontsKey(const std::string &key);
bool SetFontsKey(const std::string &key, const std::string &value);
// The whole of WIN.INI, for checks that a scenario changed nothing there.
std::string WinIni();
