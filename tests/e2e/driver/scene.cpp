// Files and WIN.INI of the scene, through the same Win32 calls a Windows program would use.
#include "scene.h"

#include <windows.h>

namespace {

std::string programSource;

const char *const RealFonts[RealFontCount] = {
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

std::string ProgramFolder() {
  return "C:\\Fonts Kit\\";
}

std::string ProgramPath() {
  return ProgramFolder() + "Quillbox.exe";
}

bool LayOutFolder() {
  std::string folder = ProgramFolder();
  folder.pop_back();
  CreateDirectoryA(folder.c_str(), nullptr);
  return CopyFileA(programSource.c_str(), ProgramPath().c_str(), FALSE) != 0;
}

std::string RealFontPath(int which) {
  return RealFonts[which % RealFontCount];
}

bool PlaceFont(const std::string &fileName, int which) {
  return CopyFileA(RealFontPath(which).c_str(), InFolder(fileName).c_str(), FALSE) != 0;
}

bool WriteListFile(const std::string &bytes) {
  return WriteBytes(InFolder("Quillbox.Lst"), bytes);
}

std::string InFolder(const std::string &name) {
  return ProgramFolder() + name;
}

std::string SystemFolder() {
  char buffer[MAX_PATH];
  UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  std::string folder(buffer, length);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string InSystemFolder(const std::string &name) {
  return SystemFolder() + name;
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string ReadBytes(const std::string &path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string &path, const std::string &bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool RemoveFile(const std::string &path) {
  return DeleteFileA(path.c_str()) != 0;
}

bool SameBytes(const std::string &pathA, const std::string &pathB) {
  if (!FileExists(pathA) || !FileExists(pathB)) return false;
  return ReadBytes(pathA) == ReadBytes(pathB);
}

std::string FontsKey(const std::string &key) {
  char buffer[256];
  DWORD length = GetProfileStringA("Fonts", key.c_str(), "", buffer, sizeof buffer);
  return std::string(buffer, length);
}

bool SetFontsKey(const std::string &key, const std::string &value) {
  return WriteProfileStringA("Fonts", key.c_str(), value.c_str()) != 0;
}

std::string WinIni() {
  char buffer[MAX_PATH];
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  return ReadBytes(std::string(buffer, length) + "\\win.ini");
}
