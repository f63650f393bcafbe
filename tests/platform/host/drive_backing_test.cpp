// Drive C: in memory must answer every file call as the host folder does: each scenario runs on
// both backings, and the two records (results, errors, listings, bytes) must be the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

void Note(std::string &record, const char *what, long long result) {
  record +=
      std::string(what) + "=" + std::to_string(result) + "/" + std::to_string(GetLastError()) + " ";
}

std::string Listing(const char *pattern) {
  WIN32_FIND_DATAA data;
  std::string text = std::string(pattern) + ":";
  HANDLE search = FindFirstFileA(pattern, &data);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &data)) {
    text += std::string(data.cFileName) + "," + std::to_string(data.dwFileAttributes) + "," +
            std::to_string(data.nFileSizeLow) + ";";
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return text + " ";
}

std::string ReadBack(const char *path) {
  char buffer[256] = {};
  HFILE file = _lopen(path, OF_READ);
  UINT got = file == HFILE_ERROR ? 0 : _lread(file, buffer, sizeof buffer);
  if (file != HFILE_ERROR) _lclose(file);
  return std::string(buffer, got) + " ";
}

void Create(const char *path, const std::string &bytes) {
  HFILE file = _lcreat(path, 0);
  _lwrite(file, bytes.data(), static_cast<UINT>(bytes.size()));
  _lclose(file);
}

struct Scenario {
  const char *name;
  void (*run)(std::string &record);
};

const Scenario scenarios[] = {
    {"write, seek past the end, read back, cut",
     [](std::string &r) {
       HFILE file = _lcreat("C:\\QB\\Harbor.Ttf", 0);
       Note(r, "write", _lwrite(file, "0123456789", 10));
       Note(r, "seek past", _llseek(file, 4, FILE_END));
       Note(r, "write", _lwrite(file, "X", 1));
       Note(r, "seek", _llseek(file, 3, FILE_BEGIN));
       char buffer[32] = {};
       Note(r, "read", _lread(file, buffer, sizeof buffer));
       r += std::string(buffer, 12) + " ";
       Note(r, "seek", _llseek(file, -2, FILE_CURRENT));
       Note(r, "cut", _lwrite(file, "", 0));
       Note(r, "negative seek", _llseek(file, -1, FILE_BEGIN));
       Note(r, "close", _lclose(file));
       Note(r, "read a write handle", _lread(_lopen("C:\\QB\\HARBOR.TTF", OF_WRITE), buffer, 4));
       r += Listing("C:\\QB\\*.*") + ReadBack("C:\\QB\\harbor.ttf");
     }},
    {"names without regard to case, as created; bad names and paths",
     [](std::string &r) {
       Create("c:\\qb\\MiXeD.ttf", "mixed");
       Create("C:\\QB\\mixed.TTF", "2nd");
       r += Listing("C:\\QB\\m*") + ReadBack("C:\\QB\\MIXED.TTF");
       Note(r, "missing", _lopen("C:\\QB\\NONE.TTF", OF_READ));
       Note(r, "missing directory", _lopen("C:\\NONE\\X.TTF", OF_READ));
       Note(r, "create in a missing directory", _lcreat("C:\\NONE\\X.TTF", 0));
       Note(r, "invalid", _lcreat("C:\\QB\\A*B", 0));
       Note(r, "too long", _lcreat(("C:\\QB\\" + std::string(260, 'L')).c_str(), 0));
       Note(r, "other drive", _lopen("D:\\X.TTF", OF_READ));
       Note(r, "file as directory", _lcreat("C:\\QB\\MIXED.TTF\\X", 0));
       r += Listing("C:\\QB\\NONE\\*") + Listing("C:\\QB\\Z*");
     }},
    {"read-only files",
     [](std::string &r) {
       Create("C:\\QB\\RO.TTF", "kept");
       Note(r, "set", SetFileAttributesA("C:\\QB\\ro.ttf", FILE_ATTRIBUTE_READONLY));
       Note(r, "attributes", GetFileAttributesA("C:\\QB\\RO.TTF"));
       Note(r, "open for writing", _lopen("C:\\QB\\RO.TTF", OF_READWRITE));
       Note(r, "create", _lcreat("C:\\QB\\RO.TTF", 0));
       Note(r, "delete", DeleteFileA("C:\\QB\\RO.TTF"));
       r += Listing("C:\\QB\\RO.TTF") + ReadBack("C:\\QB\\RO.TTF");
       Note(r, "clear", SetFileAttributesA("C:\\QB\\RO.TTF", FILE_ATTRIBUTE_NORMAL));
       Note(r, "delete", DeleteFileA("C:\\QB\\RO.TTF"));
       Note(r, "attributes", GetFileAttributesA("C:\\QB\\RO.TTF"));
     }},
    {"directories",
     [](std::string &r) {
       Note(r, "make", CreateDirectoryA("C:\\QB\\Sub", nullptr));
       Note(r, "make again", CreateDirectoryA("C:\\QB\\SUB", nullptr));
       Note(r, "make in a missing parent", CreateDirectoryA("C:\\NONE\\SUB", nullptr));
       Note(r, "open", _lopen("C:\\QB\\SUB", OF_READ));
       Note(r, "create over", _lcreat("C:\\QB\\SUB", 0));
       Create("C:\\QB\\SUB\\IN.TTF", "in");
       Note(r, "remove full", RemoveDirectoryA("C:\\QB\\SUB"));
       Note(r, "delete a directory", DeleteFileA("C:\\QB\\SUB"));
       Note(r, "remove a file", RemoveDirectoryA("C:\\QB\\SUB\\IN.TTF"));
       Note(r, "attributes", GetFileAttributesA("C:\\qb\\sub"));
       r += Listing("C:\\QB\\SUB\\*.*") + Listing("C:\\*") + Listing("C:\\QB\\*");
       Note(r, "enter a file", SetCurrentDirectoryA("C:\\QB\\SUB\\IN.TTF"));
       Note(r, "delete", DeleteFileA("C:\\QB\\SUB\\IN.TTF"));
       Note(r, "remove", RemoveDirectoryA("C:\\QB\\SUB"));
       Note(r, "remove the current one", RemoveDirectoryA("C:\\QB"));
     }},
    {"open files, OpenFile's delete, copies and identity",
     [](std::string &r) {
       Create("C:\\QB\\OPEN.TTF", "open");
       HFILE file = _lopen("C:\\QB\\OPEN.TTF", OF_READ);
       OFSTRUCT ofs;
       Note(r, "delete open", DeleteFileA("C:\\QB\\open.ttf"));
       Note(r, "OF_DELETE open", OpenFile("C:\\QB\\OPEN.TTF", &ofs, OF_DELETE));
       Note(r, "copy", CopyFileA("C:\\QB\\OPEN.TTF", "C:\\WINDOWS\\Copy.TTF", FALSE));
       Note(r, "copy over", CopyFileA("C:\\QB\\OPEN.TTF", "C:\\WINDOWS\\COPY.TTF", TRUE));
       Note(r, "copy a missing one", CopyFileA("C:\\QB\\NONE", "C:\\WINDOWS\\N.TTF", FALSE));
       _lclose(file);
       Note(r, "OF_DELETE", OpenFile("C:\\QB\\OPEN.TTF", &ofs, OF_DELETE));
       Note(r, "OF_DELETE again", OpenFile("C:\\QB\\OPEN.TTF", &ofs, OF_DELETE));
       HANDLE a = CreateFileA("C:\\WINDOWS\\copy.ttf", 0, 0, NULL, OPEN_EXISTING, 0, NULL);
       HANDLE b = CreateFileA("c:\\windows\\.\\COPY.TTF", 0, 0, NULL, OPEN_EXISTING, 0, NULL);
       HANDLE c = CreateFileA("C:\\WINDOWS\\WIN.INI", 0, 0, NULL, OPEN_EXISTING, 0, NULL);
       BY_HANDLE_FILE_INFORMATION ia, ib, ic;
       GetFileInformationByHandle(a, &ia);
       GetFileInformationByHandle(b, &ib);
       GetFileInformationByHandle(c, &ic);
       r += std::to_string(ia.nFileIndexLow == ib.nFileIndexLow) +
            std::to_string(ia.nFileIndexLow == ic.nFileIndexLow) + std::to_string(ia.nFileSizeLow) +
            std::to_string(ia.dwFileAttributes) + " ";
       Note(r, "missing",
            CreateFileA("C:\\NONE", 0, 0, NULL, OPEN_EXISTING, 0, NULL) == INVALID_HANDLE_VALUE);
       for (HANDLE h : {a, b, c}) CloseHandle(h);
       r += Listing("C:\\WINDOWS\\*") + Listing("C:\\QB\\*");
     }},
    {"profile and font resources",
     [](std::string &r) {
       Note(r, "write", WriteProfileStringA("Fonts", "Harbor (TrueType)", "HARBOR.FOT"));
       Note(r, "write", WriteProfileStringA("Colors", "Background", "0 0 0"));
       char value[64];
       Note(r, "read", GetProfileStringA("fonts", "HARBOR (TRUETYPE)", "", value, 64));
       r += value + std::string(" ") + ReadBack("C:\\WINDOWS\\WIN.INI");
       const char header[44] = {0,   1,   0, 0, 0, 2, 0, 0, 0,  0,  0, 0, 'h', 'e', 'a',
                                'd', 0,   0, 0, 0, 0, 0, 0, 44, 0,  0, 0, 0,   'n', 'a',
                                'm', 'e', 0, 0, 0, 0, 0, 0, 0,  44, 0, 0, 0,   0};
       Create("C:\\WINDOWS\\SYSTEM\\HARBOR.TTF", std::string(header, 44) + "glyphs");
       const char *resource = "C:\\WINDOWS\\SYSTEM\\HARBOR.FOT";
       const char *font = "C:\\WINDOWS\\SYSTEM\\harbor.ttf";
       Note(r, "resource", CreateScalableFontResourceA(0, resource, font, NULL));
       Note(r, "again", CreateScalableFontResourceA(0, resource, font, NULL));
       Note(r, "of no font",
            CreateScalableFontResourceA(0, "C:\\QB\\W.FOT", "C:\\WINDOWS\\WIN.INI", NULL));
       Note(r, "add", AddFontResourceA(resource));
       Note(r, "add a missing one", AddFontResourceA("C:\\QB\\NONE.FOT"));
       r += Listing("C:\\WINDOWS\\SYSTEM\\*");
     }},
    {"faults fire at the same calls",
     [](std::string &r) {
       winsim::FailFileCall(winsim::FileCall::Write, 2);
       winsim::ShortRead("C:\\QB\\F.TTF", 3);
       HFILE file = _lcreat("C:\\QB\\F.TTF", 0);
       for (int i = 0; i < 3; i++) Note(r, "write", _lwrite(file, "abcdef", 6));
       _lclose(file);
       r += ReadBack("C:\\QB\\F.TTF") + std::to_string(winsim::FaultsFired()) + " ";
     }},
    {"the tests' own drive calls",
     [](std::string &r) {
       Note(r, "write", winsim::WriteDriveFile("C:\\QB\\Own.Ttf", "own"));
       Note(r, "replace", winsim::WriteDriveFile("c:\\qb\\OWN.TTF", "owned"));
       Note(r, "in a missing directory", winsim::WriteDriveFile("C:\\NONE\\X", "x"));
       CreateDirectoryA("C:\\QB\\DIR", nullptr);
       Note(r, "over a directory", winsim::WriteDriveFile("C:\\QB\\DIR", "x"));
       std::string bytes;
       Note(r, "read", winsim::ReadDriveFile("C:\\QB\\own.ttf", &bytes));
       Note(r, "read a directory", winsim::ReadDriveFile("C:\\QB\\DIR", &bytes));
       for (const auto &file : winsim::DriveFiles("c:\\qb\\")) r += file.first + "=" + file.second;
       for (const std::string &name : winsim::DriveFileNames("C:\\WINDOWS")) r += " " + name;
       r += " " + std::to_string(winsim::DriveFiles("C:\\NONE").size());
     }},
};

}  // namespace

TEST(DriveBacking, MemoryAnswersAsTheHostFolder) {
  for (const Scenario &scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    std::string onHost;
    std::string inMemory;
    {
      Sandbox sandbox;
      scenario.run(onHost);
    }
    {
      winsim::Machine machine{winsim::InMemory{}};
      scenario.run(inMemory);
    }
    EXPECT_EQ(onHost, inMemory);
  }
}
