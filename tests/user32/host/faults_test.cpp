// Faults that tests inject into the program's window calls: the Nth call fails, once or from
// then on, without creating anything, and the calls that winsim makes itself are not counted.
#include "user32/user32_fixture.h"
#include "winsim/user32_sim.h"

namespace {

using winsim::Times;
using winsim::user32::CallCount;
using winsim::user32::Fail;
using winsim::user32::FaultFired;
using winsim::user32::Operation;

using Faults = User32Test;

TEST_F(Faults, CreateWindowFailsOnlyTheNthCallOrEveryOneFromItOn) {
  struct Row {
    const char *context;
    int nth;
    Times times;
    const char *outcomes;  // one per call: + created, - failed
  } rows[] = {
      {"second only", 2, Times::Once, "+-++"},
      {"from the third on", 3, Times::FromThenOn, "++--"},
      {"first only", 1, Times::Once, "-+++"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    winsim::user32::ClearUserFaults();
    Fail(Operation::CreateWindow, row.nth, row.times);
    int before = winsim::user32::LiveWindows();
    std::string outcomes;
    for (int i = 0; i < 4; i++) outcomes += CreateTestWindow("Faulty") ? '+' : '-';
    EXPECT_EQ(row.outcomes, outcomes);
    int created = 0;
    for (char outcome : outcomes) created += outcome == '+';
    EXPECT_EQ(before + created, winsim::user32::LiveWindows());
    EXPECT_TRUE(FaultFired());
  }
}

TEST_F(Faults, RegisterClassFailsAndLeavesNoClass) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "FaultyClass";
  winsim::user32::ClearRecords();  // forget the fixture's own class
  Fail(Operation::RegisterClass);
  EXPECT_EQ(0, RegisterClassA(&windowClass));
  EXPECT_EQ(nullptr, CreateWindowExA(0, "FaultyClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr));
  EXPECT_NE(0, RegisterClassA(&windowClass));
  EXPECT_EQ(0, RegisterClassA(&windowClass));  // now it exists
  EXPECT_TRUE(winsim::user32::CallsNamed("RegisterClassA")[0].failedByTest);
  EXPECT_FALSE(winsim::user32::CallsNamed("RegisterClassA")[1].failedByTest);
}

TEST_F(Faults, CreateDialogFailsBeforeAnythingExists) {
  HWND owner = CreateTestWindow("Owner");
  bool initialised = false;
  onDialog = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT *) {
    initialised |= message == WM_INITDIALOG;
    return false;
  };
  int windows = winsim::user32::LiveWindows();
  int windowCalls = CallCount(Operation::CreateWindow);
  Fail(Operation::CreateDialog);
  EXPECT_EQ(nullptr, CreateTestDialog("PROBEDLG", owner));
  EXPECT_FALSE(initialised);
  EXPECT_EQ(windows, winsim::user32::LiveWindows());
  ASSERT_NE(nullptr, CreateTestDialog("PROBEDLG", owner));
  EXPECT_TRUE(initialised);
  // The dialog's own window and its controls are winsim's doing, not CreateWindowExA calls.
  EXPECT_EQ(windowCalls, CallCount(Operation::CreateWindow));
  EXPECT_EQ(2, CallCount(Operation::CreateDialog));
}

TEST_F(Faults, DialogBoxGivesMinusOneAndLeavesTheOwnerEnabled) {
  HWND owner = CreateTestWindow("Owner");
  Fail(Operation::DialogBox);
  EXPECT_EQ(-1, RunTestDialog("MODALDLG", owner));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(1, winsim::user32::LiveWindows());
}

TEST_F(Faults, NoFaultFiresUnlessOneIsSet) {
  CreateTestWindow("Plain");
  EXPECT_FALSE(FaultFired());
  Fail(Operation::CreateWindow, 5);
  CreateTestWindow("Plain");
  EXPECT_FALSE(FaultFired());  // the fifth call from now has not come
}

}  // namespace
