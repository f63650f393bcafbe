// Files and WIN.INI of the scene, through the same Win32 calls a Windows program would use.
#include "scene.h"

#include <windows.h>

#include <stdio.h>

namespace {

std::string programSource;

const char *const RealFonts[] = {
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans-Bold.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSerif.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSerif-Regular.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationMono-Regular.ttf",
    "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Bold.ttf",
};

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
  return RealFonts[real % (sizeof RealFonts / sizeof RealFonts[0])];
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
