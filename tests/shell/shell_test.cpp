// The whole program run in this test process as WinMain runs it, the way Wine's own user32 tests
// drive a message loop: a thread timer runs the test's script once the program's loop waits, and
// closes the program a moment later if it has not ended by itself. Message boxes are answered by
// the import shim, and the run's pump goes on its virtual clock.
#include <gtest/gtest.h>

#include <functional>

#include "catalog/font_table.h"
#include "common/sandbox.h"
#include "common/shim.h"
#include "resource.h"
#include "shell/app_main.h"
#include "shell/globals.h"

namespace {

std::function<void()> script;
UINT_PTR closer;
bool forced;  // the program did not end by itself

void CALLBACK CloseProgram(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(NULL, closer);
  forced = true;
  PostMessageA(FindWindowA("FontWind", NULL), WM_CLOSE, 0, 0);
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(NULL, timer);
  if (script) script();
  closer = SetTimer(NULL, 0, 300, CloseProgram);
}

HWND Item(int id) {
  return GetDlgItem(hFontDial, id);
}

void Click(int id) {
  SendMessageA(Item(id), BM_CLICK, 0, 0);
}

// A click in the middle of a list item, as the list box takes a real one.
void ClickItem(const char *name) {
  HWND list = Item(IDC_FONTLIST);
  int index = (int)SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
  RECT item = {0, 0, 0, 0};
  SendMessageA(list, LB_GETITEMRECT, index, (LPARAM)&item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// One turn of a loop like the program's; a quit is left for the program's own loop.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return PostQuitMessage((int)message.wParam);
    if (!IsDialogMessageA(hFontDial, &message)) DispatchMessageA(&message);
  }
}

// The list's texts in list order: all, or the selected ones.
std::vector<std::string> Texts(bool selectedOnly) {
  std::vector<std::string> texts;
  for (int i = 0; i < (int)SendMessageA(Item(IDC_FONTLIST), LB_GETCOUNT, 0, 0); i++) {
    char text[FontNameSize] = "";
    SendMessageA(Item(IDC_FONTLIST), LB_GETTEXT, i, (LPARAM)text);
    if (!selectedOnly || SendMessageA(Item(IDC_FONTLIST), LB_GETSEL, i, 0) > 0) texts.push_back(text);
  }
  return texts;
}

std::vector<int> Flags(int setTo = -1) {
  std::vector<int> flags;
  FontItem *items = (FontItem *)GlobalLock(FontList);
  for (int i = 0; i < FontCount; i++) {
    if (setTo >= 0) items[i].selected = setTo;
    flags.push_back(items[i].selected);
  }
  GlobalUnlock(FontList);
  return flags;
}

// Whether a is above b among the top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND w = GetTopWindow(NULL); w != NULL; w = GetWindow(w, GW_HWNDNEXT))
    if (w == a || w == b) return w == a;
  return false;
}

// In table order; the list box sorts them without regard to case, a high-byte name among them.
const char *const Five[][2] = {{"ZEPHYR.TTF", "Zephyr Serif"},
                               {"alpine.ttf", "alpine Mono"},
                               {"HARBOR.TTF", "Harbor Sans"},
                               {"BIRCH.TTF", "Birch"},
                               {"CAFE.TTF", "Caf\xE9 Sans"}};

class Shell : public testing::Test {
 protected:
  Shell() {
    std::string list;
    for (int i = 0; i < 5; i++) {
      box.Write(box.program + Five[i][0], Sandbox::Font(i));
      list += std::string(Five[i][0]) + " " + Five[i][1] + "\r\n";
    }
    box.Write(box.program + "Quillbox.Lst", list);
  }

  // Runs the program with the command-line tail; returns its exit code.
  int Run(const char *tail, std::function<void()> act, int show = SW_SHOWNORMAL) {
    shim::Reset();
    hFontDial = NULL;
    ShowDeleteOption = DeleteOriginals = 0;
    script = act;
    forced = false;
    UINT_PTR starter = SetTimer(NULL, 0, 10, RunScript);
    int code = RunProgram(GetModuleHandleA(NULL), tail, show);
    KillTimer(NULL, starter);
    KillTimer(NULL, closer);
    WNDCLASSA owner;
    registered = GetClassInfoA(GetModuleHandleA(NULL), "FontWind", &owner) != FALSE;
    UnregisterClassA("FontWind", GetModuleHandleA(NULL));
    FontList = NULL;  // freed by the program
    FontCount = 0;
    return code;
  }

  Sandbox box;
  bool registered = false;
};

TEST_F(Shell, SelectionDialogOpensSortedAndFollowsTheSelection) {
  const std::vector<std::string> sorted = {"alpine Mono", "Birch", "Caf\xE9 Sans", "Harbor Sans",
                                           "Zephyr Serif"};
  struct Step {
    std::function<void()> act;
    const char *label;
    std::vector<std::string> selected;  // Install is enabled when there is any
  } steps[] = {
      {[] {}, "No fonts selected", {}},
      {[] { ClickItem("Harbor Sans"); }, "1 font selected", {"Harbor Sans"}},
      {[] { ClickItem("alpine Mono"); }, "2 fonts selected", {"alpine Mono", "Harbor Sans"}},
      {[] { Click(IDC_SELECTALL); }, "5 fonts selected", sorted},
      {[] { ClickItem("Birch"); }, "4 fonts selected", {"alpine Mono", "Caf\xE9 Sans", "Harbor Sans", "Zephyr Serif"}},
      {[] { Click(IDC_UNSELECTALL); }, "No fonts selected", {}},
      {[] { ClickItem("Birch"); }, "1 font selected", {"Birch"}},
      {[] { ClickItem("Birch"); }, "No fonts selected", {}},
  };
  EXPECT_EQ(0, Run("", [&] {
              char caption[64] = "";
              GetWindowTextA(hFontDial, caption, sizeof caption);
              EXPECT_STREQ("TrueType Fonts Installation", caption);
              RECT placed;
              GetWindowRect(hFontDial, &placed);
              EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN), placed.left + placed.right, 1);
              EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN), placed.top + placed.bottom, 1);
              EXPECT_EQ(sorted, Texts(false));
              for (const Step &step : steps) {
                step.act();
                char label[80] = "";
                GetDlgItemTextA(hFontDial, IDC_SELCOUNT, label, sizeof label);
                EXPECT_STREQ(step.label, label);
                EXPECT_EQ(step.selected, Texts(true));
                EXPECT_EQ(!step.selected.empty(), IsWindowEnabled(Item(IDOK)) != FALSE);
              }
              Click(IDCANCEL);
            }));
  EXPECT_FALSE(forced) << "Cancel did not end the program";
  EXPECT_TRUE(shim::Boxes().empty()) << "a run started";
}

// The whole command-line tail is the option, without regard to case.
TEST_F(Shell, DeleteCheckBoxOnlyWithTheOptionAndItFeedsTheDeleteFlag) {
  for (const char *tail : {"/d", "/D", "/d ", "-d", ""}) {
    SCOPED_TRACE(std::string("tail [") + tail + "]");
    bool shown = false;
    std::vector<int> flags;
    Run(tail, [&] {
      shown = IsWindowVisible(Item(IDC_DELETE)) != FALSE;
      for (int i = 0; shown && i < 2; i++, flags.push_back(DeleteOriginals)) Click(IDC_DELETE);
    });
    EXPECT_EQ(tail[0] == '/' && tail[2] == '\0', shown);
    EXPECT_EQ((shown ? std::vector<int>{1, 0} : std::vector<int>{}), flags);
  }
}

// A list position is not a table position: Install marks each record by its font name, clears
// the others, runs nested in the command (a close asked for meanwhile is refused while the
// progress dialog is in front), and then the program ends by itself.
TEST_F(Shell, InstallHandsTheSelectionToTheTableByNameAndCloses) {
  std::vector<int> flags;
  size_t boxes = 0;
  bool survived = false;
  EXPECT_EQ(0, Run("", [&] {
              Flags(1);
              for (const char *name : {"Harbor Sans", "Zephyr Serif", "Caf\xE9 Sans"}) ClickItem(name);
              HWND owner = GetParent(hFontDial);
              shim::StartClock(0, 100);
              shim::At(700, [&] {
                SendMessageA(owner, WM_CLOSE, 0, 0);
                survived = IsWindow(owner) && IsWindow(hFontDial);
              });
              Click(IDOK);
              flags = Flags();
              boxes = shim::Boxes().size();
            }));
  ASSERT_EQ((std::vector<int>{1, 0, 1, 0, 1}), flags);
  EXPECT_TRUE(survived) << "closed under the run";
  EXPECT_EQ(1u, boxes) << "the run's summary, before Install returned";
  for (int i = 0; i < 5; i++) EXPECT_EQ(flags[i] == 1, !box.Key(Five[i][1]).empty()) << Five[i][1];
  EXPECT_FALSE(forced) << "the program did not end after the run";
}

// Parked below the screen and kept there, never maximised; minimise hides the dialog and restore
// shows it again.
TEST_F(Shell, OwnerWindowStaysBelowTheScreenAndHidesAndShowsTheDialog) {
  RECT parked = {0, 0, 0, 0};
  bool zoomed = true, hidden = false, iconic = false, back = false;
  EXPECT_EQ(0, Run("", [&] {
              HWND owner = GetParent(hFontDial);
              SendMessageA(owner, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
              SetWindowPos(owner, NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
              GetWindowRect(owner, &parked);
              zoomed = IsZoomed(owner) != FALSE;
              SendMessageA(hFontDial, WM_SYSCOMMAND, SC_MINIMIZE, 0);
              Pump();
              hidden = !IsWindowVisible(hFontDial);
              iconic = IsIconic(owner) != FALSE;
              SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
              Pump();
              back = IsWindowVisible(hFontDial) && !IsIconic(owner);
            }, SW_SHOWMAXIMIZED));
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), parked.top);
  EXPECT_FALSE(zoomed);
  EXPECT_TRUE(hidden && iconic) << "minimised: dialog hidden " << hidden << ", owner " << iconic;
  EXPECT_TRUE(back);
}

// A second start raises the running copy's dialog and ends without reading the list; a start
// whose list offers nothing ends without a window.
TEST_F(Shell, ASecondStartHandsOverAndAnEmptyOfferMeansNoWindow) {
  int second = -1;
  bool coveredBefore = false, raised = false;
  EXPECT_EQ(0, Run("", [&] {
              HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                           NULL, NULL, NULL, NULL);
              coveredBefore = Above(cover, hFontDial);
              box.Write(box.program + "Quillbox.Lst", "");
              second = RunProgram(GetModuleHandleA(NULL), "", SW_SHOWNORMAL);
              raised = Above(hFontDial, cover);
              DestroyWindow(cover);
            }));
  EXPECT_EQ(0, second);
  EXPECT_TRUE(coveredBefore && raised);
  EXPECT_TRUE(shim::Boxes().empty()) << "the second start read the list";
  EXPECT_EQ(0, Run("", nullptr));
  EXPECT_FALSE(registered) << "a window class was registered";
  EXPECT_FALSE(forced);
  EXPECT_EQ(1u, shim::Boxes().size()) << "the loader tells why";
}

}  // namespace
