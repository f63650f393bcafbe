// The program's entry on the host, step by step: the hand-over to a running copy, the list file,
// the "/d" option, the owner window's class and creation, the first show command, the message
// loop, each start failure with its message and exit code, and the table freed at the end.
#include "shell/host/shell_fixture.h"

#include "catalog/font_table.h"
#include "resource.h"
#include "shell/app_main.h"
#include "shell/globals.h"
#include "winsim/sim.h"

#include <algorithm>

namespace {

namespace user32 = winsim::user32;

constexpr const char *NoMemory = "Available memory is not enough.";

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterPlainClass(const char *name) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name;
  EXPECT_NE(0, RegisterClassA(&windowClass)) << name;
}

HWND CreateShownPopup(const char *className, const char *text, HWND ownerWindow) {
  HWND window = CreateWindowExA(0, className, text, WS_POPUP, 10, 10, 100, 50, ownerWindow, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);  // shown and activated
  return window;
}

// A normal start, up to the selection dialog on the screen: class, window, parking, the posted
// request for the dialog, the first show, and the dialog created as the owner's pop-up.
TEST_F(ShellTest, StartSequence) {
  WriteListAndFonts();
  std::vector<std::string> start, afterDialog;
  Idle([&] {
    FindWindows();
    start = CallsSince(0);
    afterDialog = CallsSince(
        0, {"CreateDialogParamA", "ShowWindow", "UpdateWindow", "PostMessageA", "MessageBeep"});
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0, Run());

  intptr_t instance = (intptr_t)sandbox->Instance();
  const std::vector<std::string> expected = {
      Call("FindWindowA", "null", {}, "FontWind"),
      Call("LoadIconA", "null", {instance}, "Quillbox"),
      Call("LoadCursorA", "null", {0, 32512}),
      Call("RegisterClassA", "null", {}, "FontWind"),
      Call("CreateWindowExA", "null", {0, 0x800A0000, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, 0},
           "FontWind"),
      // WM_CREATE: parked just below the screen; the move is allowed.
      Call("GetWindowRect", "owner"),
      Call("GetSystemMetrics", "null", {SM_CYSCREEN}),
      Call("MoveWindow", "owner", {0, 768, 0, 0, TRUE}),
      Call("IsIconic", "owner"),
      Call("GetSystemMetrics", "null", {SM_CYSCREEN}),
      Call("DefWindowProcA", "owner", {WM_WINDOWPOSCHANGING, 0, Pointer}),
      Call("PostMessageA", "owner", {1224, 0, 0}),
      Call("DefWindowProcA", "owner", {WM_CREATE, 0, Pointer}),
      // The first show command, and the position check that showing brings.
      Call("ShowWindow", "owner", {SW_SHOWNORMAL}),
      Call("IsIconic", "owner"),
      Call("GetSystemMetrics", "null", {SM_CYSCREEN}),
      Call("DefWindowProcA", "owner", {WM_WINDOWPOSCHANGING, 0, Pointer}),
      // WM_OPENFONTDIAL from the loop.
      Call("IsIconic", "owner"),
      Call("CreateDialogParamA", "owner", {instance, 0}, "FontDial"),
  };
  ASSERT_GE(start.size(), expected.size());
  EXPECT_EQ(expected, std::vector<std::string>(start.begin(), start.begin() + expected.size()));
  // After the dialog's own initialisation, the owner shows and paints it.
  const std::vector<std::string> shown = {
      Call("CreateDialogParamA", "owner", {instance, 0}, "FontDial"),
      Call("ShowWindow", "dialog", {SW_SHOW}),
      Call("UpdateWindow", "dialog"),
  };
  ASSERT_GE(afterDialog.size(), shown.size());
  EXPECT_EQ(shown, std::vector<std::string>(afterDialog.end() - shown.size(), afterDialog.end()));
}

// A running copy is raised, owner window first and then its most recently active pop-up, and
// this copy ends with 0 before it reads the list file (there is none here: reading it would
// have shown a message) or sets hInst.
TEST_F(ShellTest, SecondStartHandsOver) {
  struct Row {
    const char *context;
    int popups;  // 0: none; 1: the selection dialog; 2: the progress dialog over it
  };
  const Row rows[] = {
      {"owner window alone", 0}, {"selection dialog in front", 1}, {"progress dialog in front", 2}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    NewMachine();
    RegisterPlainClass("FontWind");
    RegisterPlainClass("RunningPopup");
    owner = CreateShownPopup("FontWind", Caption, nullptr);
    HWND front = owner;
    for (int i = 0; i < row.popups; i++) front = CreateShownPopup("RunningPopup", "pop-up", front);
    dialog = front == owner ? nullptr : front;
    CreateShownPopup("RunningPopup", "another program", nullptr);  // on top of them all
    HINSTANCE untouched = (HINSTANCE)0x5150;
    hInst = untouched;
    user32::ClearRecords();

    EXPECT_EQ(0, RunProgram(sandbox->Instance(), "/d", SW_SHOWNORMAL));

    std::vector<std::string> expected = {
        Call("FindWindowA", "null", {}, "FontWind"),
        Call("GetLastActivePopup", "owner"),
        Call("BringWindowToTop", "owner"),
    };
    if (dialog) expected.push_back(Call("BringWindowToTop", "dialog"));
    // The stand-in windows' own default handling is left out.
    std::vector<std::string> names = OwnerContractCalls;
    names.erase(std::find(names.begin(), names.end(), "DefWindowProcA"));
    EXPECT_EQ(expected, CallsSince(0, names)) << "and nothing else";
    std::vector<HWND> order = user32::TopLevelWindows();
    ASSERT_GE(order.size(), 2u);
    if (dialog) {
      EXPECT_EQ(dialog, order[0]);
      EXPECT_EQ(owner, order[1]);
    } else {
      EXPECT_EQ(owner, order[0]);
    }
    EXPECT_EQ(untouched, hInst);
    EXPECT_EQ(0, ShowDeleteOption);
    EXPECT_TRUE(winsim::MessageBoxes().empty());
  }
}

// Without a list file the loader tells why, and nothing else happens: no class, no window.
TEST_F(ShellTest, ListNotLoaded) {
  EXPECT_EQ(0, Run());
  ASSERT_EQ(1u, winsim::MessageBoxes().size());
  EXPECT_EQ("The file 'quillbox.lst' is not found or incorrect.", winsim::MessageBoxes()[0].text);
  EXPECT_EQ((std::vector<std::string>{Call("FindWindowA", "null", {}, "FontWind")}), CallsSince(0));
  EXPECT_EQ(sandbox->Instance(), hInst);
  EXPECT_EQ(0, user32::LiveWindows());
  EXPECT_EQ(0, winsim::LiveBlocks());
}

// Each window that cannot be created: the message, its owner, the exit code, and an orderly end
// with the table freed and no window left.
TEST_F(ShellTest, StartFailures) {
  struct Row {
    const char *context;
    user32::Operation operation;
    int exitCode;
    bool boxOwnedByOwnerWindow;
    std::vector<const char *> calledOnce;
    std::vector<const char *> notCalled;
  };
  const Row rows[] = {
      {"class not registered",
       user32::Operation::RegisterClass,
       StartFailedExitCode,
       false,
       {"RegisterClassA"},
       {"CreateWindowExA", "ShowWindow", "CreateDialogParamA"}},
      {"owner window not created",
       user32::Operation::CreateWindow,
       StartFailedExitCode,
       false,
       {"RegisterClassA", "CreateWindowExA"},
       {"ShowWindow", "CreateDialogParamA"}},
      {"selection dialog not created",
       user32::Operation::CreateDialog,
       0,
       true,
       {"CreateWindowExA", "CreateDialogParamA"},
       {"BringWindowToTop"}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    NewMachine();
    WriteListAndFonts();
    user32::Fail(row.operation);
    // The one message box is answered at once; the owner window is looked up while it is open.
    user32::OnMessageBox([&](HWND, const winsim::MessageBoxRecord &) { FindWindows(); });

    EXPECT_EQ(row.exitCode, RunProgram(sandbox->Instance(), "", SW_SHOWNORMAL));

    EXPECT_TRUE(user32::FaultFired());
    ASSERT_EQ(1u, winsim::MessageBoxes().size());
    const winsim::MessageBoxRecord &box = winsim::MessageBoxes()[0];
    EXPECT_EQ(NoMemory, box.text);
    EXPECT_EQ(Caption, box.caption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONHAND), box.style);
    if (row.boxOwnedByOwnerWindow) {
      EXPECT_NE(nullptr, owner);
      EXPECT_EQ(owner, box.owner);
      // After the box the owner window asks itself to close, and the program ends normally.
      std::vector<std::string> calls = CallsSince(0, {"CreateDialogParamA", "PostMessageA"});
      ASSERT_GE(calls.size(), 2u);
      EXPECT_EQ(Call("PostMessageA", "owner", {WM_CLOSE, 0, 0}), calls.back());
    } else {
      EXPECT_EQ(nullptr, box.owner);
    }
    for (const char *name : row.calledOnce) EXPECT_EQ(1, CountCalls(0, name)) << name;
    for (const char *name : row.notCalled) EXPECT_EQ(0, CountCalls(0, name)) << name;
    EXPECT_EQ(0, user32::LiveWindows());
    EXPECT_EQ(0, winsim::LiveBlocks()) << "the candidate table is freed";
    EXPECT_EQ(0, winsim::InvalidHandleUses());
    user32::OnMessageBox(nullptr);
  }
}

// The whole command-line tail, compared with "/d" without regard to case, and nothing else.
TEST_F(ShellTest, CommandLineOption) {
  struct Row {
    const char *tail;
    int option;
  };
  const Row rows[] = {
      {"/d", 1},  {"/D", 1}, {"/d ", 0}, {"-d", 0},    {"", 0},
      {"/dx", 0}, {"d", 0},  {" /d", 0}, {"/d /d", 0}, {"/d\t", 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(std::string("tail [") + row.tail + "]");
    NewMachine();
    WriteListAndFonts();
    bool shown = false;
    Idle([&] {
      FindWindows();
      shown = IsWindowVisible(GetDlgItem(dialog, IDC_DELETE)) != 0;
      PostMessageA(owner, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, RunProgram(sandbox->Instance(), row.tail, SW_SHOWNORMAL));
    EXPECT_EQ(row.option, ShowDeleteOption);
    EXPECT_EQ(row.option == 1, shown) << "the delete check box";
  }
}

// The first show command is the one the program was started with, except that a maximised start
// shows the window normally. A minimised start creates no dialog (until a restore).
TEST_F(ShellTest, FirstShowCommand) {
  struct Row {
    const char *context;
    int started;
    int shown;
    bool minimised;
  };
  const Row rows[] = {
      {"normal", SW_SHOWNORMAL, SW_SHOWNORMAL, false},
      {"maximised", SW_SHOWMAXIMIZED, SW_SHOWNORMAL, false},
      {"default", SW_SHOWDEFAULT, SW_SHOWDEFAULT, false},
      {"show", SW_SHOW, SW_SHOW, false},
      {"not activated", SW_SHOWNOACTIVATE, SW_SHOWNOACTIVATE, false},
      {"minimised", SW_SHOWMINIMIZED, SW_SHOWMINIMIZED, true},
      {"minimised, not active", SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE, true},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    NewMachine();
    WriteListAndFonts();
    bool iconic = false;
    HWND createdDialog = nullptr;
    Idle([&] {
      FindWindows();
      iconic = IsIconic(owner) != 0;
      createdDialog = hFontDial;
      PostMessageA(owner, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, RunProgram(sandbox->Instance(), "", row.started));
    std::vector<std::string> shows = CallsSince(0, {"ShowWindow"});
    ASSERT_FALSE(shows.empty());
    EXPECT_EQ(Call("ShowWindow", "owner", {row.shown}), shows[0]);
    EXPECT_EQ(row.minimised, iconic);
    EXPECT_EQ(row.minimised, createdDialog == nullptr);
    EXPECT_EQ(row.minimised ? 0 : 1, CountCalls(0, "CreateDialogParamA"));
    EXPECT_EQ(0, winsim::LiveBlocks());
  }
}

// The loop ends with WM_QUIT and returns its code.
TEST_F(ShellTest, ExitCodeIsTheQuitCode) {
  WriteListAndFonts();
  Idle([] { PostQuitMessage(7); });
  EXPECT_EQ(7, Run());
  EXPECT_EQ(0, winsim::LiveBlocks()) << "the table is freed however the loop ended";
}

// The loop offers every message to the selection dialog first, which gives it the Escape key:
// Cancel, and the program ends. Before the dialog exists nothing is offered to it.
TEST_F(ShellTest, LoopGivesTheDialogItsKeys) {
  WriteListAndFonts();
  size_t mark = 0;
  Idle([&] {
    FindWindows();
    mark = Mark();
    user32::PressKey(VK_ESCAPE);
  });
  Idle([&] {
    ADD_FAILURE() << "Escape did not end the program";
    PostMessageA(owner, WM_CLOSE, 0, 0);
  });
  leftoverIdleActions = 1;  // the fallback, unused when Escape worked
  EXPECT_EQ(0, Run());
  std::vector<std::string> before = CallsSince(0, {"IsDialogMessageA", "CreateDialogParamA"});
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(0u, before[0].find("CreateDialogParamA")) << "IsDialogMessageA before the dialog";
  std::vector<std::string> offered = CallsSince(mark, {"IsDialogMessageA"});
  ASSERT_FALSE(offered.empty());
  EXPECT_EQ(Call("IsDialogMessageA", "dialog", {WM_KEYDOWN, VK_ESCAPE}), offered[0]);
}

}  // namespace
