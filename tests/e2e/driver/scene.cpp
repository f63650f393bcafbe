// Files and WIN.INI of the scene, through the same Win32 calls a Windows program would use.
#include "scene.h"

#include <windows.h>

#include <stdio.h>

namespace {

std::string programSource;

// Real TrueType files, each of another size, from Debian's DejaVu (0 to 3) and Liberation (4 to 7)
// packages.
const char *const RealFonts[] = {"Sans",         "Sans-Bold",     "SansMono",     "Serif",
                                 "Sans-Regular", "Serif-Regular", "Mono-Regular", "Sans-Bold"};

}  // namespace

void SetProgramSource(const std::string &exePath) {
  programSource = exePath;
}

bool SetScene(const std::vector<FontLine> &fonts) {
  CreateDirectoryA("C:\\Fonts Kit", nullptr);
  bool ok = CopyFileA(programSource.c_str(), ProgramPath().c_str(), FALSE) != 0;
  std::string list;
  for (const FontLine &font : fonts) {
    ok = CopyFileA(RealFontPath(font.real).c_str(), InFolder(font.file).c_str(), FALSE) && ok;
    list += font.file + "  " + font.name + "\r\n";
  }
  FILE *file = fopen(InFolder("Quillbox.Lst").c_str(), "wb");
  ok = file && fwrite(list.data(), 1, list.size(), file) == list.size() && ok;
  return file && fclose(file) == 0 && ok;
}

std::string ProgramPath() {
  return InFolder("Quillbox.exe");
}

std::string RealFontPath(int real) {
  const char *family = real < 4 ? "dejavu\\DejaVu" : "liberation\\Liberation";
  return std::string("Z:\\usr\\share\\fonts\\truetype\\") + family + RealFonts[real] + ".ttf";
}

std::string InFolder(const std::string &name) {
  return "C:\\Fonts Kit\\" + name;
}

std::string InSystemFolder(const std::string &name) {
  char buffer[MAX_PATH];
  UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  return std::string(buffer, length) + "\\" + name;
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string &path) {
  std::string bytes;
  FILE *file = fopen(path.c_str(), "rb");
  char buffer[65536];
  for (size_t got; file && (got = fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.append(buffer, got);
  }
  if (file) fclose(file);
  return bytes;
}

std::string FontsKey(const std::string &key) {
  char buffer[256];
  DWORD length = GetProfileStringA("Fonts", key.c_str(), "", buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::string WinIni() {
  char buffer[MAX_PATH];
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  return ReadBytes(std::string(buffer, length) + "\\win.ini");
}
