// The owner window's class and window as the real platform reports them back, with the program
// run in this test process: every WNDCLASSA field (GetClassInfoA). winsim keeps no class fields
// to ask, so this check runs under Wine only.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "common/sandbox.h"
#include "shell/app_main.h"
#include "shell/font_wind.h"
#include "shell/globals.h"

namespace {

struct Seen {
  BOOL classFound = FALSE;
  WNDCLASSA windowClass = {};
  HWND owner = NULL;
  HWND dialog = NULL;
};
Seen seen;

// Runs from the program's own loop once it is under way, looks, and closes the program.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(NULL, timer);
  seen.classFound = GetClassInfoA(hInst, "FontWind", &seen.windowClass);
  seen.owner = FindWindowA("FontWind", "TrueType Fonts Installation");
  seen.dialog = hFontDial;
  PostMessageA(seen.owner, WM_CLOSE, 0, 0);
}

TEST(OwnerClass, FieldsAsRegistered) {
  Sandbox sandbox;
  sandbox.WriteFile(sandbox.InProgramDir("QBSANS.TTF"), Sandbox::RealFont(0));
  sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"), "QBSANS.TTF Quillbox Test Sans\r\n");
  hFontDial = NULL;
  FontList = NULL;
  FontCount = 0;
  HINSTANCE instance = sandbox.Instance();
  ASSERT_NE(0u, SetTimer(NULL, 0, 100, LookAndClose));

  EXPECT_EQ(0, RunProgram(instance, "", SW_SHOWNORMAL));

  // The class outlives the run in this process; a later test registers it again.
  EXPECT_TRUE(UnregisterClassA("FontWind", instance));
  FontList = NULL;
  FontCount = 0;
  hFontDial = NULL;

  ASSERT_TRUE(seen.classFound);
  const WNDCLASSA &wc = seen.windowClass;
  EXPECT_EQ(0u, wc.style);
  EXPECT_EQ((WNDPROC)FontWindProc, wc.lpfnWndProc);
  EXPECT_EQ(0, wc.cbClsExtra);
  EXPECT_EQ(0, wc.cbWndExtra);
  EXPECT_EQ(instance, wc.hInstance);
  EXPECT_NE(nullptr, wc.hIcon);
  EXPECT_EQ(LoadIconA(instance, "Quillbox"), wc.hIcon) << "the icon group Quillbox";
  EXPECT_EQ(LoadCursorA(NULL, IDC_ARROW), wc.hCursor);
  EXPECT_EQ((HBRUSH)(COLOR_WINDOW + 1), wc.hbrBackground);
  EXPECT_EQ(nullptr, wc.lpszMenuName);

  EXPECT_NE(nullptr, seen.dialog);
  EXPECT_FALSE(IsWindow(seen.owner));
}

}  // namespace
