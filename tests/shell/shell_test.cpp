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

// In table order; the list box sorts them without regard to case, a high-byte name among them.
const char *const Five[] = {"ZEPHYR.TTF Zephyr Serif", "alpine.ttf alpine Mono",
                            "HARBOR.TTF Harbor Sans", "BIRCH.TTF Birch", "CAFE.TTF Caf\xE9 Sans"};

class Shell : public testing::Test {
 protected:
  Shell() {
    std::string list;
    for (int i = 0; i < 5; list += Five[i++] + std::string("\r\n"))
      box.Write(box.program + std::string(Five[i]).substr(0, std::string(Five[i]).find(' ')),
                Sandbox::Font(i));
    box.Write(box.program + "Quillbox.Lst", list);
  }

  // Runs the program with the command-line tail and show command; returns its exit code.
  int Run(std::function<void()> act) {
    shim::Reset();
    hFontDial = NULL, FontList = NULL;  // the last run freed the table
    ShowDeleteOption = DeleteOriginals = FontCount = 0;
    script = act;
    forced = false;
    UINT_PTR starter = SetTimer(NULL, 0, 10, RunScript);
    int code = RunProgram(GetModuleHandleA(NULL), tail, show);
    KillTimer(NULL, starter);
    KillTimer(NULL, closer);
    UnregisterClassA("FontWind", GetModuleHandleA(NULL));
    return code;
  }
  static void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(NULL, timer);
    if (script) script();
    closer = SetTimer(NULL, 0, 300, CloseProgram);
  }
  static void CALLBACK CloseProgram(HWND, UINT, UINT_PTR, DWORD) {
    forced = true;
    PostMessageA(FindWindowA("FontWind", NULL), WM_CLOSE, 0, 0);
  }

  static HWND Item(int id) { return GetDlgItem(hFontDial, id); }
  static void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
  static LRESULT List(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(Item(IDC_FONTLIST), message, wParam, lParam);
  }
  // A click in the middle of a list item, as the list box takes a real one.
  static void ClickItem(const char *name) {
    RECT item = {0, 0, 0, 0};
    List(LB_GETITEMRECT, List(LB_FINDSTRINGEXACT, -1, (LPARAM)name), (LPARAM)&item);
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    List(WM_LBUTTONDOWN, MK_LBUTTON, at);
    List(WM_LBUTTONUP, 0, at);
  }
  // The selected items' texts in list order.
  static std::vector<std::string> Selected() {
    std::vector<std::string> texts;
    char text[FontNameSize];
    for (int i = 0; List(LB_GETTEXT, i, (LPARAM)text) != LB_ERR; i++)
      if (List(LB_GETSEL, i, 0) > 0) texts.push_back(text);
    return texts;
  }

  // Counts the times the platform shows or hides the dialog for its owner (SW_PARENTCLOSING when
  // the owner is minimised, which it does only for a dialog still shown then).
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    if (call->hwnd == hFontDial && call->message == WM_SHOWWINDOW && call->lParam != 0)
      hiddenWithOwner++;
    return CallNextHookEx(NULL, code, wParam, lParam);
  }

  static inline int hiddenWithOwner;
  static inline std::function<void()> script;  // run once the program's loop waits
  static inline UINT_PTR closer;
  static inline bool forced;  // the program did not end by itself: the test closed it
  Sandbox box;
  const char *tail = "";
  int show = SW_SHOWNORMAL;
};

// The selection dialog opened sorted and following the selection, then the owner window: parked
// below the screen and kept there, never maximised, hiding the dialog when minimised and showing
// it when restored; Cancel ends the program.
TEST_F(Shell, SelectionDialogAndOwnerWindow) {
  const std::vector<std::string> sorted = {"alpine Mono", "Birch", "Caf\xE9 Sans", "Harbor Sans",
                                           "Zephyr Serif"};
  // After each step: the label, and the selection, with which Install is enabled.
  auto expect = [this](const char *label, std::vector<std::string> selected) {
    char text[80] = "";
    GetDlgItemTextA(hFontDial, IDC_SELCOUNT, text, sizeof text);
    EXPECT_STREQ(label, text);
    EXPECT_EQ(selected, Selected());
    EXPECT_EQ(!selected.empty(), IsWindowEnabled(Item(IDOK)) != FALSE);
  };
  show = SW_SHOWMAXIMIZED;
  EXPECT_EQ(0, Run([&] {
              char caption[80] = "";
              GetWindowTextA(hFontDial, caption, sizeof caption);
              EXPECT_STREQ("TrueType Fonts Installation", caption);
              RECT placed;
              GetWindowRect(hFontDial, &placed);
              EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN), placed.left + placed.right, 1);
              EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN), placed.top + placed.bottom, 1);
              EXPECT_FALSE(IsWindowVisible(Item(IDC_DELETE)));
              expect("No fonts selected", {});
              ClickItem("Harbor Sans");
              expect("1 font selected", {"Harbor Sans"});
              ClickItem("alpine Mono");
              expect("2 fonts selected", {sorted[0], sorted[3]});
              Click(IDC_SELECTALL);
              expect("5 fonts selected", sorted);  // in the list box's order
              Click(IDC_UNSELECTALL);
              expect("No fonts selected", {});

              HWND owner = GetParent(hFontDial);
              SendMessageA(owner, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
              SetWindowPos(owner, NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
              GetWindowRect(owner, &placed);
              EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), placed.top);
              EXPECT_FALSE(IsZoomed(owner));
              // The program hides the dialog itself, before the platform would hide it with its
              // owner.
              HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Watch, NULL, GetCurrentThreadId());
              SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
              UnhookWindowsHookEx(hook);
              EXPECT_TRUE(!IsWindowVisible(hFontDial) && IsIconic(owner) && hiddenWithOwner == 0);
              SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
              EXPECT_TRUE(IsWindowVisible(hFontDial) && !IsIconic(owner)) << "restored";
              Click(IDCANCEL);
            }));
  EXPECT_FALSE(forced) << "Cancel did not end the program";
  EXPECT_TRUE(shim::state.boxes.empty()) << "a run started";
}

// The whole command-line tail is the option, without regard to case. A list that offers nothing
// means no window: the loader has told why, and no loop waits.
TEST_F(Shell, DeleteCheckBoxOnlyWithTheOptionAndNoWindowWithoutAnOffer) {
  for (const char *option : {"/d", "/D", "/d "}) {
    std::vector<int> flags;
    tail = option;
    Run([&] {
      for (int i = 0; i < 2 && IsWindowVisible(Item(IDC_DELETE)); i++)
        Click(IDC_DELETE), flags.push_back(DeleteOriginals);
    });
    EXPECT_EQ((option[2] ? std::vector<int>{} : std::vector<int>{1, 0}), flags) << option << "|";
  }
  box.Write(box.program + "Quillbox.Lst", "");
  EXPECT_EQ(0, Run(nullptr));
  EXPECT_FALSE(forced);
  EXPECT_EQ(1u, shim::state.boxes.size());
}

// A list position is not a table position: Install marks each record by its font name, clears
// the others, and runs nested in the command, where a close is refused while the progress dialog
// is in front. Then the program ends by itself.
TEST_F(Shell, InstallHandsTheSelectionToTheTableByNameAndCloses) {
  EXPECT_EQ(0, Run([&] {
              FontItem *items = (FontItem *)GlobalLock(FontList);
              for (int i = 0; i < FontCount; i++) items[i].selected = 1;
              for (const char *name : {"Harbor Sans", "Zephyr Serif", "Caf\xE9 Sans"})
                ClickItem(name);
              HWND owner = GetParent(hFontDial);
              shim::StartClock(0, 100);
              shim::state.due.emplace(700, [&] {
                SendMessageA(owner, WM_CLOSE, 0, 0);
                EXPECT_TRUE(IsWindow(owner) && IsWindow(hFontDial)) << "closed under the run";
              });
              Click(IDOK);
              std::vector<int> flags;
              for (int i = 0; i < FontCount; i++) flags.push_back(items[i].selected);
              GlobalUnlock(FontList);
              EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 1}), flags);
              EXPECT_EQ(1u, shim::state.boxes.size()) << "no summary before Install returned";
            }));
  EXPECT_FALSE(forced) << "the program did not end after the run";
}

}  // namespace
