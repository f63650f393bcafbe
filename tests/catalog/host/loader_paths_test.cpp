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

TEST(LoaderPaths, EachPathAtTheEdgeOfItsBuffer) {
  const std::string fits = DirectoryOfLength(127 - 12);  // with Quillbox.Lst: 127 characters
  struct Row {
    const char *context;
    std::string modulePath;  // "" keeps the default
    std::string systemDir;   // "" keeps the default
    int records;             // 0: the list is not read
  };
  const Row rows[] = {
      {"list path of 127 characters", fits + "Q.EXE", "", 1},
      {"list path of 128 characters", DirectoryOfLength(128 - 12) + "Q.EXE", "", 0},
      {"module path of 127 characters", fits + std::string(8, 'Q') + ".EXE", "", 1},
      // GetModuleFileNameA fills the buffer without a NUL: the path was cut.
      {"module path of 128 characters", fits + std::string(9, 'Q') + ".EXE", "", 0},
      // HARBOR.Fot lies in the system directory: its font is installed when its path fits.
      {"system directory without backslash", "", "C:\\WINDOWS\\SYSTEM", 1},
      {"system directory with backslash", "", "C:\\WINDOWS\\SYSTEM\\", 1},
      {"system directory at the root", "", "C:\\", 1},
      {".Fot path of 127 characters", "", DirectoryOfLength(127 - 10), 1},
      {".Fot path of 128 characters", "", DirectoryOfLength(128 - 10), 2},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    CatalogPlace place;
    if (!row.modulePath.empty()) winsim::SetModulePath(row.modulePath);
    if (!row.systemDir.empty()) winsim::SetSystemDirectory(row.systemDir);
    place.PlaceFont("HARBOR.TTF", 1200);
    place.PlaceFont("CEDAR.TTF", 1500);
    place.sandbox.WriteFile(place.sandbox.InSystemDir("HARBOR.Fot"), "resource");
    place.WriteList("HARBOR.TTF Harbor Sans\r\nCEDAR.TTF Cedar Mono\r\n");

    EXPECT_EQ(row.records > 0 ? 1 : 0, LoadFontList());
    EXPECT_EQ(row.records, FontCount);
    EXPECT_EQ(LoaderBoxes(row.records > 0 ? nullptr : NotFoundText, MB_ICONERROR),
              place.NewBoxes());
  }
}

}  // namespace
