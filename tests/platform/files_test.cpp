// The file calls as the program uses them: names found without regard to case, sizes measured by
// seeking to the end, reads that stop at the end, files emptied by _lcreat, a directory's listing,
// and the refusals that make the program's checks fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
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

}  // namespace

TEST(Files, NamesAreFoundWithoutRegardToCaseAndMeasured) {
  Sandbox sandbox;
  const std::string dir = sandbox.ProgramDir();
  sandbox.WriteFile(dir + "Harbor.Ttf", std::string(70000, 'h'));
  sandbox.WriteFile(dir + "EMPTY.TTF", "");
  // Names in other cases, with trailing dots (dropped before the lookup), of no file, in a
  // missing directory, with a wildcard, and the folder itself.
  const std::pair<const char *, LONG> rows[] = {
      {"Harbor.Ttf", 70000}, {"hArBoR.tTf", 70000},       {"HARBOR.TTF.", 70000}, {"HARBOR.TT", -1},
      {"EMPTY.TTF", 0},      {"MISSING\\HARBOR.TTF", -1}, {"A*.TTF", -1},         {".", -1}};
  for (const auto &row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(row.second, MeasureFile(dir + row.first));
  }
  EXPECT_EQ(HFILE_ERROR, _lcreat((dir + "MISSING\\X.TTF").c_str(), 0));
}

TEST(Files, ReadsStopAtTheEndAndCreateEmptiesAFile) {
  Sandbox sandbox;
  std::string path = sandbox.InProgramDir("Data.bin");
  sandbox.WriteFile(path, "hello world");
  char buffer[32];
  HFILE reader = _lopen(path.c_str(), OF_READ);
  ASSERT_NE(HFILE_ERROR, reader);
  EXPECT_EQ(6, _llseek(reader, 6, FILE_BEGIN));
  EXPECT_EQ(5u, _lread(reader, buffer, sizeof buffer));
  EXPECT_EQ("world", std::string(buffer, 5));
  EXPECT_EQ(0u, _lread(reader, buffer, sizeof buffer));
  EXPECT_EQ(0, _lclose(reader));
  EXPECT_EQ(HFILE_ERROR, _lclose(reader));  // closed already
  // _lcreat empties an existing file, found under another spelling.
  HFILE writer = _lcreat(sandbox.InProgramDir("DATA.BIN").c_str(), 0);
  ASSERT_NE(HFILE_ERROR, writer);
  EXPECT_EQ(0, _llseek(writer, 0, FILE_END));
  EXPECT_EQ(3u, _lwrite(writer, "new", 3));
  EXPECT_EQ(0, _lclose(writer));
  EXPECT_EQ("new", sandbox.ReadFile(path));
}

// The loader lists the system directory: each file once, by the name it was stored under.
TEST(Files, ListingGivesEachFileByItsStoredName) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InSystemDir("QbList.Ttf"), "h");
  sandbox.WriteFile(sandbox.InSystemDir("QBLIST.FOT"), "c");
  std::multiset<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(sandbox.InSystemDir("*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  do names.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
  EXPECT_TRUE(FindClose(search));
  EXPECT_EQ(1u, names.count("QbList.Ttf"));
  EXPECT_EQ(1u, names.count("QBLIST.FOT"));
}

TEST(Files, OfDeleteRemovesOnlyWhatItMay) {
  Sandbox sandbox;
  std::string dir = sandbox.ProgramDir();
  OFSTRUCT ofs;
  sandbox.WriteFile(dir + "GONE.TTF", "x");
  EXPECT_NE(HFILE_ERROR, OpenFile((dir + "gone.ttf").c_str(), &ofs, OF_DELETE));
  EXPECT_FALSE(sandbox.Exists(dir + "GONE.TTF"));
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "GONE.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ofs.nErrCode);

  sandbox.WriteFile(dir + "KEPT.TTF", "kept");
  sandbox.SetReadOnly(dir + "KEPT.TTF", true);
  EXPECT_EQ(HFILE_ERROR, OpenFile((dir + "KEPT.TTF").c_str(), &ofs, OF_DELETE));
  EXPECT_EQ(ERROR_ACCESS_DENIED, ofs.nErrCode);
  sandbox.SetReadOnly(dir + "KEPT.TTF", false);
  EXPECT_EQ("kept", sandbox.ReadFile(dir + "KEPT.TTF"));
}
