// Where the loader looks: paths at the edge of their 128-character buffers, and a system
// directory reported with or without its trailing backslash.
#include "catalog/list_loader.h"

#include <winsim/sim.h>

#include "../catalog_test_support.h"

namespace {

// A directory on C: whose path, with its trailing backslash, has exactly `length` characters.
std::string DirectoryOfLength(size_t length) {
  return "C:\\" + std::string(length - 4, 'D') + "\\";
}

TEST(LoaderPaths, ProgramDirectoryAtTheEdgeOfItsBuffer) {
  struct Row {
    const char *context;
    std::string modulePath;
    int result;
  };
  const std::string fits = DirectoryOfLength(127 - 12);  // with Quillbox.Lst: 127 characters
  const std::string tooLong = DirectoryOfLength(128 - 12);
  const Row rows[] = {
      {"list path of 127 characters", fits + "Q.EXE", 1},
      {"list path of 128 characters", tooLong + "Q.EXE", 0},
      {"module path of 127 characters", fits + std::string(8, 'Q') + ".EXE", 1},
      // GetModuleFileNameA fills the buffer without a NUL: the path was cut.
      {"module path of 128 characters", fits + std::string(9, 'Q') + ".EXE", 0},
      {"module path of 200 characters", fits + std::string(81, 'Q') + ".EXE", 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    CatalogPlace place;
    winsim::SetModulePath(row.modulePath);
    hInst = place.sandbox.Instance();
    place.PlaceFont("HARBOR.TTF", 1200);
    place.WriteList("HARBOR.TTF Harbor Sans\r\n");

    EXPECT_EQ(row.result, LoadFontList());
    if (row.result == 1) {
      EXPECT_EQ((std::vector<TableRecord>{{"HARBOR.TTF", "Harbor Sans", 1200, 0}}), TableRecords());
      EXPECT_EQ(std::vector<std::string>{}, place.NewBoxes());
    } else {
      EXPECT_EQ(std::vector<std::string>{LoaderBox(NotFoundText, MB_ICONERROR)}, place.NewBoxes());
    }
  }
}

TEST(LoaderPaths, SystemDirectoryWithAndWithoutBackslash) {
  struct Row {
    const char *context;
    std::string systemDirectory;
    bool installed;
  };
  const Row rows[] = {
      {"without backslash", "C:\\WINDOWS\\SYSTEM", true},
      {"with backslash", "C:\\WINDOWS\\SYSTEM\\", true},
      {"at the root", "C:\\", true},
      // A .Fot path that does not fit its buffer names a file that cannot be opened.
      {".Fot path of 127 characters", DirectoryOfLength(127 - 10), true},
      {".Fot path of 128 characters", DirectoryOfLength(128 - 10), false},
      {"directory too long for the buffer", DirectoryOfLength(140), false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    CatalogPlace place;
    winsim::SetSystemDirectory(row.systemDirectory);
    place.PlaceFont("HARBOR.TTF", 1200);
    place.PlaceFont("CEDAR.TTF", 1500);
    place.PlaceInSystemDir("HARBOR.Fot");
    place.WriteList("HARBOR.TTF Harbor Sans\r\nCEDAR.TTF Cedar Mono\r\n");

    EXPECT_EQ(1, LoadFontList());
    EXPECT_EQ(2, foundCount);
    EXPECT_EQ(row.installed ? 1 : 2, FontCount);
    EXPECT_EQ(std::vector<std::string>{}, place.NewBoxes());
  }
}

}  // namespace
