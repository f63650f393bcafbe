// The handle-based file calls and the name-based ones, as the program uses them: names found
// without regard to case, sizes measured by seeking to the end, files emptied by _lcreat, and
// the refusals (missing, read-only, open, a directory) that make the program's checks fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

namespace {

LONG MeasureFile(const std::string &path) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return -1;
  LONG size = _llseek(file, 0, FILE_END);
  _lclose(file);
  return size;
}

std::string ReadAll(const std::string &path) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return "<cannot open>";
  char buffer[256];
  UINT got = _lread(file, buffer, sizeof buffer);
  _lclose(file);
  return got == static_cast<UINT>(HFILE_ERROR) ? "<cannot read>" : std::string(buffer, got);
}

}  // namespace

TEST(Files, NamesAreFoundWithoutRegardToCase) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("Harbor.Ttf"), "0123456789");
  const char *spellings[] = {"Harbor.Ttf", "HARBOR.TTF", "harbor.ttf", "hArBoR.tTf"};
  for (const char *name : spellings) {
    SCOPED_TRACE(name);
    EXPECT_EQ(10, MeasureFile(sandbox.InProgramDir(name)));
    EXPECT_EQ("0123456789", ReadAll(sandbox.InProgramDir(name)));
  }
  // Trailing dots and blanks of a name are dropped before it is looked up.
  EXPECT_EQ(10, MeasureFile(sandbox.InProgramDir("HARBOR.TTF.")));
  EXPECT_EQ(-1, MeasureFile(sandbox.InProgramDir("HARBOR.TT")));
  EXPECT_EQ(-1, MeasureFile(sandbox.InProgramDir("MISSING\\HARBOR.TTF")));
}

TEST(Files, MeasuresBySeekingToTheEnd) {
  Sandbox sandbox;
  struct Row {
    const char *name;
    std::string bytes;
  };
  const Row rows[] = {{"EMPTY.TTF", ""}, {"ONE.TTF", "x"}, {"BIG.TTF", std::string(70000, 'b')}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    sandbox.WriteFile(sandbox.InProgramDir(row.name), row.bytes);
    EXPECT_EQ(static_cast<LONG>(row.bytes.size()), MeasureFile(sandbox.InProgramDir(row.name)));
  }
}

TEST(Files, LcreatEmptiesAnExistingFileAndKeepsItsName) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("Serif1.ttf"), "old contents");
  HFILE file = _lcreat(sandbox.InProgramDir("SERIF1.TTF").c_str(), 0);
  ASSERT_NE(HFILE_ERROR, file);
  EXPECT_EQ(0, _llseek(file, 0, FILE_END));
  EXPECT_EQ(3u, _lwrite(file, "new", 3));
  EXPECT_EQ(0, _lclose(file));
  EXPECT_EQ("new", sandbox.ReadFile(sandbox.InProgramDir("Serif1.ttf")));
  // The existing name's spelling is kept: the file is still found under it exactly.
  std::string listed;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(sandbox.InProgramDir("serif1.ttf").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  FindClose(search);
  EXPECT_STREQ("Serif1.ttf", found.cFileName);
}

TEST(Files, ReadWriteAndSeekFollowTheHandleMode) {
  Sandbox sandbox;
  std::string path = sandbox.InProgramDir("DATA.BIN");
  sandbox.WriteFile(path, "hello world");
  char buffer[32];

  HFILE reader = _lopen(path.c_str(), OF_READ);
  ASSERT_NE(HFILE_ERROR, reader);
  EXPECT_EQ(HFILE_ERROR, _llseek(reader, -20, FILE_CURRENT));  // before the start
  EXPECT_EQ(6, _llseek(reader, 6, FILE_BEGIN));
  EXPECT_EQ(5u, _lread(reader, buffer, sizeof buffer));  // a read stops at the end
  EXPECT_EQ("world", std::string(buffer, 5));
  EXPECT_EQ(0u, _lread(reader, buffer, sizeof buffer));
  EXPECT_EQ(static_cast<UINT>(HFILE_ERROR), _lwrite(reader, "x", 1));
  EXPECT_EQ(0, _lclose(reader));
  EXPECT_EQ(HFILE_ERROR, _lclose(reader));  // closed already

  HFILE writer = _lopen(path.c_str(), OF_WRITE);
  ASSERT_NE(HFILE_ERROR, writer);
  EXPECT_EQ(static_cast<UINT>(HFILE_ERROR), _lread(writer, buffer, 5));
  EXPECT_EQ(5, _llseek(writer, 5, FILE_BEGIN));
  EXPECT_EQ(0u, _lwrite(writer, "", 0));  // writing nothing cuts the file there
  EXPECT_EQ(0, _lclose(writer));
  EXPECT_EQ("hello", sandbox.ReadFile(path));
}

TEST(Files, OpeningFailsForWhatIsNoFile) {
  Sandbox sandbox;
  std::string dir = sandbox.ProgramDir();
  CreateDirectoryA((dir + "SUB").c_str(), NULL);
  struct Row {
    const char *name;
    DWORD error;
  };
  const Row rows[] = {
      {"MISSING.TTF", ERROR_FILE_NOT_FOUND}, {"NODIR\\X.TTF", ERROR_PATH_NOT_FOUND},
      {"SUB", ERROR_ACCESS_DENIED},          {"A*.TTF", ERROR_INVALID_NAME},
      {"A?.TTF", ERROR_INVALID_NAME},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    SetLastError(0);
    EXPECT_EQ(HFILE_ERROR, _lopen((dir + row.name).c_str(), OF_READ));
    EXPECT_EQ(row.error, GetLastError());
  }
  EXPECT_EQ(HFILE_ERROR, _lcreat((dir + "SUB").c_str(), 0));
  EXPECT_EQ(HFILE_ERROR, _lcreat((dir + "NODIR\\X.TTF").c_str(), 0));
  EXPECT_EQ(HFILE_ERROR, _lcreat((dir + "A*.TTF").c_str(), 0));
  EXPECT_TRUE(RemoveDirectoryA((dir + "SUB").c_str()));
}

TEST(Files, OfDeleteRemovesOnlyWhatItMay) {
  Sandbox sandbox;
  std::string dir = sandbox.ProgramDir();
  OFSTRUCT ofs;

  sandbox.WriteFile(dir + "GONE.TTF", "x");
  EXPECT_NE(HFILE_ERROR, OpenFile((dir + "gone.ttf").c_str(), &ofs, OF_DELETE));
  EXPECT_FALSE(sandbox.Exists(dir + "GONE.TTF"));

  SCOPED_TRACE("a missing file");
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "GONE.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ofs.nErrCode);
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "NODIR\\GONE.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ofs.nErrCode);

  SCOPED_TRACE("a read-only file");
  sandbox.WriteFile(dir + "KEPT.TTF", "kept");
  sandbox.SetReadOnly(dir + "KEPT.TTF", true);
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "KEPT.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_ACCESS_DENIED, ofs.nErrCode);
  EXPECT_FALSE(DeleteFileA((dir + "KEPT.TTF").c_str()));
  EXPECT_EQ("kept", sandbox.ReadFile(dir + "KEPT.TTF"));
  sandbox.SetReadOnly(dir + "KEPT.TTF", false);

  SCOPED_TRACE("an open file");
  HFILE open = _lopen((dir + "KEPT.TTF").c_str(), OF_READ);
  ASSERT_NE(HFILE_ERROR, open);
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "KEPT.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_SHARING_VIOLATION, ofs.nErrCode);
  _lclose(open);
  EXPECT_NE(HFILE_ERROR, OpenFile((dir + "KEPT.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_FALSE(sandbox.Exists(dir + "KEPT.TTF"));
}

TEST(Files, AttributesAndDirectories) {
  Sandbox sandbox;
  std::string dir = sandbox.ProgramDir();
  sandbox.WriteFile(dir + "PLAIN.TTF", "p");
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
            GetFileAttributesA((dir + "plain.ttf").c_str()));
  sandbox.SetReadOnly(dir + "PLAIN.TTF", true);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY),
            GetFileAttributesA((dir + "PLAIN.TTF").c_str()));
  sandbox.SetReadOnly(dir + "PLAIN.TTF", false);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "NONE.TTF").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "NONE\\X.TTF").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

  std::string sub = dir + "Fonts Sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), NULL));
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
            GetFileAttributesA((dir + "FONTS SUB").c_str()));
  EXPECT_FALSE(CreateDirectoryA((dir + "fonts sub").c_str(), NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  EXPECT_FALSE(CreateDirectoryA((dir + "NONE\\SUB").c_str(), NULL));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  sandbox.WriteFile(sub + "\\INSIDE.TTF", "i");
  EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_DIR_NOT_EMPTY), GetLastError());
  EXPECT_FALSE(DeleteFileA(sub.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_TRUE(DeleteFileA((sub + "\\inside.ttf").c_str()));
  EXPECT_FALSE(DeleteFileA((sub + "\\inside.ttf").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(sub.c_str()));
}
