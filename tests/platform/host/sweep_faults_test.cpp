// winsim's faults for sweeps over a whole run: the nth file call of a kind failing whatever its
// path, a WIN.INI that cannot be read, and the count of fired faults that ends a sweep.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/sandbox.h"
#include "winsim/sim.h"

namespace {

using winsim::FileCall;
using winsim::Times;

// Runs one call of the kind on a path of its own (so that the fault is seen to ignore the path)
// and tells '+' for success, '-' for failure, or the byte count moved for a read or write.
std::string Step(Sandbox &sandbox, FileCall call, int index) {
  std::string path = sandbox.InProgramDir("F" + std::to_string(index) + ".TTF");
  sandbox.WriteFile(path, "abcdefgh");
  HFILE file = HFILE_ERROR;
  std::string result;
  char buffer[8];
  switch (call) {
    case FileCall::Open:
      file = _lopen(path.c_str(), OF_READ);
      result = file != HFILE_ERROR ? "+" : "-";
      break;
    case FileCall::Create:
      file = _lcreat(path.c_str(), 0);
      result = file != HFILE_ERROR ? "+" : "-";
      break;
    case FileCall::Read:
      file = _lopen(path.c_str(), OF_READ);
      result = std::to_string(static_cast<int>(_lread(file, buffer, 8)));
      break;
    case FileCall::Write:
      file = _lcreat(path.c_str(), 0);
      result = std::to_string(static_cast<int>(_lwrite(file, "abcdefgh", 8)));
      break;
    case FileCall::Close:
      file = _lopen(path.c_str(), OF_READ);
      result = _lclose(file) != HFILE_ERROR ? "+" : "-";
      return result + (winsim::OpenFileHandles() == 0 ? "" : "(left open)");
    case FileCall::Delete: {
      OFSTRUCT status = {};
      result = OpenFile(path.c_str(), &status, OF_DELETE) != HFILE_ERROR ? "+" : "-";
      result += sandbox.Exists(path) ? "(kept)" : "";
      return result;
    }
  }
  if (file != HFILE_ERROR) _lclose(file);
  return result;
}

TEST(SweepFaults, NthFileCallOfAKindFailsWhateverThePath) {
  struct Row {
    const char *context;
    FileCall call;
    int nth;
    Times times;
    std::vector<std::string> expected;  // four calls in a row
  };
  const Row rows[] = {
      {"second open only", FileCall::Open, 2, Times::Once, {"+", "-", "+", "+"}},
      {"opens from the third on", FileCall::Open, 3, Times::FromThenOn, {"+", "+", "-", "-"}},
      {"first create only", FileCall::Create, 1, Times::Once, {"-", "+", "+", "+"}},
      {"a read gives half", FileCall::Read, 2, Times::Once, {"8", "4", "8", "8"}},
      {"a write takes half", FileCall::Write, 1, Times::FromThenOn, {"4", "4", "4", "4"}},
      {"a close fails and closes", FileCall::Close, 3, Times::Once, {"+", "+", "-", "+"}},
      {"a delete fails and keeps", FileCall::Delete, 2, Times::Once, {"+", "-(kept)", "+", "+"}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    Sandbox sandbox;
    winsim::FailFileCall(row.call, row.nth, row.times);
    std::vector<std::string> seen;
    for (int i = 0; i < 4; i++) seen.push_back(Step(sandbox, row.call, i));
    EXPECT_EQ(row.expected, seen);
    EXPECT_EQ(4, winsim::FileCallCount(row.call));
    int fired = row.times == Times::Once ? 1 : 4 - row.nth + 1;
    EXPECT_EQ(fired, winsim::FaultsFired());
    EXPECT_EQ(0, winsim::OpenFileHandles());
  }
}

TEST(SweepFaults, WriteOfOneByteThatGetsHalfFails) {
  Sandbox sandbox;
  HFILE file = _lcreat(sandbox.InProgramDir("ONE.TTF").c_str(), 0);
  winsim::FailFileCall(FileCall::Write, 1);
  EXPECT_EQ(static_cast<UINT>(HFILE_ERROR), _lwrite(file, "x", 1));
  EXPECT_EQ(1u, _lwrite(file, "x", 1));
  _lclose(file);
}

TEST(SweepFaults, UnreadableWinIniGivesTheDefault) {
  Sandbox sandbox;
  sandbox.SetFontsKey("Harbor Sans", "HARBOR.Fot");
  winsim::FailProfileRead(2, Times::Once);
  char value[32];
  const char *const expected[] = {"HARBOR.Fot", "none", "HARBOR.Fot"};
  for (const char *text : expected) {
    GetProfileStringA("Fonts", "Harbor Sans", "none", value, sizeof value);
    EXPECT_STREQ(text, value);
  }
  EXPECT_EQ(1, winsim::FaultsFired());
  // Clearing the faults keeps the count: it tells what happened since the machine started.
  winsim::ClearFaults();
  EXPECT_EQ(1, winsim::FaultsFired());
}

TEST(SweepFaults, EveryKindOfFaultIsCounted) {
  Sandbox sandbox;
  winsim::FailAllocation(1);
  EXPECT_EQ(nullptr, GlobalAlloc(GMEM_MOVEABLE, 16));
  winsim::FailProfileWrite(1);
  EXPECT_FALSE(WriteProfileStringA("Fonts", "Harbor Sans", "HARBOR.Fot"));
  winsim::FailAddFontResource(1);
  EXPECT_EQ(0, AddFontResourceA(sandbox.InSystemDir("HARBOR.Fot").c_str()));
  winsim::FailOpen(sandbox.InProgramDir("HARBOR.TTF"));
  EXPECT_EQ(HFILE_ERROR, _lopen(sandbox.InProgramDir("HARBOR.TTF").c_str(), OF_READ));
  EXPECT_EQ(4, winsim::FaultsFired());
}

}  // namespace
