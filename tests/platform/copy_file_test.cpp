// CopyFileA, which the benchmarks set against the program's own copy: it copies every byte to a
// new or an existing file, and refuses a missing source and, when told to, an existing
// destination. (A read-only destination is refused by Windows but overwritten by Wine 8.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

TEST(SystemCopy, CopiesEveryByteToANewOrAnExistingFile) {
  Sandbox sandbox;
  std::string bytes(70000, '\0');
  for (size_t i = 0; i < bytes.size(); i++) bytes[i] = static_cast<char>(i * 7 + i / 256);
  sandbox.WriteFile(sandbox.InProgramDir("SOURCE.BIN"), bytes);
  sandbox.WriteFile(sandbox.InProgramDir("OLD.BIN"), std::string(100000, 'o'));
  for (const char *target : {"NEW.BIN", "old.bin"}) {
    SCOPED_TRACE(target);
    ASSERT_TRUE(CopyFileA(sandbox.InProgramDir("source.bin").c_str(),
                          sandbox.InProgramDir(target).c_str(), FALSE));
    EXPECT_EQ(bytes, sandbox.ReadFile(sandbox.InProgramDir(target)));
  }
  EXPECT_EQ(bytes, sandbox.ReadFile(sandbox.InProgramDir("SOURCE.BIN")));
}

TEST(SystemCopy, RefusesAMissingSourceAndWhenToldAnExistingTarget) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("SOURCE.BIN"), "source");
  sandbox.WriteFile(sandbox.InProgramDir("THERE.BIN"), "there");
  struct Row {
    const char *source;
    const char *target;
    BOOL failIfExists;
    DWORD error;
  };
  const Row rows[] = {
      {"MISSING.BIN", "NEW.BIN", FALSE, ERROR_FILE_NOT_FOUND},
      {"SOURCE.BIN", "THERE.BIN", TRUE, ERROR_FILE_EXISTS},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string(row.source) + " to " + row.target);
    SetLastError(0);
    EXPECT_FALSE(CopyFileA(sandbox.InProgramDir(row.source).c_str(),
                           sandbox.InProgramDir(row.target).c_str(), row.failIfExists));
    EXPECT_EQ(row.error, GetLastError());
  }
  EXPECT_FALSE(sandbox.Exists(sandbox.InProgramDir("NEW.BIN")));
  EXPECT_EQ("there", sandbox.ReadFile(sandbox.InProgramDir("THERE.BIN")));
}
