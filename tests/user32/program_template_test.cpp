// The program's own dialog templates, built by the dialog manager on both platforms: the same
// pixels from the same dialog units (the system font's base units are 7 x 16 under Wine and
// winsim alike), the same controls, ids and styles as the Windows build links.
#include "user32/user32_fixture.h"

#include "resource.h"

namespace {

using ProgramTemplate = User32Test;

// A control's rectangle in its dialog's client coordinates.
RECT InDialog(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ScreenToClient(dialog, &corners[0]);
  ScreenToClient(dialog, &corners[1]);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

struct ControlRow {
  const char *context;
  int id;
  RECT rect;  // in dialog client pixels
  DWORD style;
};

void ExpectControls(HWND dialog, const ControlRow *rows, size_t count) {
  for (size_t i = 0; i < count; i++) {
    const ControlRow &row = rows[i];
    SCOPED_TRACE(row.context);
    HWND control = GetDlgItem(dialog, row.id);
    ASSERT_NE(nullptr, control);
    RECT rect = InDialog(dialog, control);
    EXPECT_EQ(row.rect.left, rect.left);
    EXPECT_EQ(row.rect.top, rect.top);
    EXPECT_EQ(row.rect.right, rect.right);
    EXPECT_EQ(row.rect.bottom, rect.bottom);
    EXPECT_EQ(row.style, (DWORD)GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(row.id, GetDlgCtrlID(control));
  }
}

TEST_F(ProgramTemplate, ProgressDialogFontStat) {
  HWND dialog = CreateTestDialog("fontstat", nullptr);
  ASSERT_NE(nullptr, dialog);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(336, client.right);  // 192 x 76 dialog units
  EXPECT_EQ(152, client.bottom);
  DWORD style = (DWORD)GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_EQ((DWORD)(WS_POPUP | DS_MODALFRAME),
            style & (WS_POPUP | DS_MODALFRAME | WS_CAPTION | WS_VISIBLE));
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  const ControlRow rows[] = {
      {"font name", IDC_STATFONT, {63, 20, 315, 36}, 0x50020000},
      {"file name", IDC_STATFILE, {63, 40, 315, 56}, 0x50020000},
      {"bar", IDC_PROGRESS, {18, 80, 319, 96}, 0x50000004},
      {"cancel", IDCANCEL, {133, 112, 203, 140}, 0x50010000},
  };
  ExpectControls(dialog, rows, sizeof rows / sizeof rows[0]);
  int controls = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    controls++;
  EXPECT_EQ(8, controls);
  EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), GetFocus());  // the only tab stop
}

TEST_F(ProgramTemplate, SelectionDialogFontDial) {
  HWND dialog = CreateTestDialog("FontDial", nullptr);
  ASSERT_NE(nullptr, dialog);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(434, client.right);  // 248 x 152 dialog units
  EXPECT_EQ(304, client.bottom);
  EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            (DWORD)GetWindowLongA(dialog, GWL_STYLE) &
                (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
  const ControlRow rows[] = {
      // 48 dialog units (96 pixels) less the 2-pixel edges, cut to whole 16-pixel items.
      {"font list", IDC_FONTLIST, {21, 88, 413, 172}, 0x5001000B},
      {"count", IDC_SELCOUNT, {280, 192, 413, 208}, 0x50020002},
      {"delete", IDC_DELETE, {21, 268, 189, 288}, 0x50010003},
      {"select all", IDC_SELECTALL, {210, 216, 301, 244}, 0x50010000},
      {"unselect all", IDC_UNSELECTALL, {322, 216, 413, 244}, 0x50010000},
      {"install", IDOK, {210, 260, 301, 288}, 0x50010001},
      {"cancel", IDCANCEL, {322, 260, 413, 288}, 0x50010000},
  };
  ExpectControls(dialog, rows, sizeof rows / sizeof rows[0]);
  HWND list = GetDlgItem(dialog, IDC_FONTLIST);
  EXPECT_EQ(WS_EX_CLIENTEDGE,
            GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);  // WS_BORDER became an edge
  RECT listClient;
  GetClientRect(list, &listClient);
  EXPECT_EQ(388, listClient.right);
  EXPECT_EQ(80, listClient.bottom);

  // The icon control takes the size of the icon group that its text names.
  HWND icon = GetWindow(dialog, GW_CHILD);
  EXPECT_NE(nullptr, (HICON)SendMessageA(icon, STM_GETICON, 0, 0));
  RECT iconRect = InDialog(dialog, icon);
  EXPECT_EQ(28, iconRect.left);
  EXPECT_EQ(16, iconRect.top);
  EXPECT_EQ(32, iconRect.right - iconRect.left);
  EXPECT_EQ(32, iconRect.bottom - iconRect.top);
}

TEST_F(ProgramTemplate, IconGroupIsFoundWithoutRegardToCase) {
  EXPECT_NE(nullptr, LoadIconA(Instance(), "Quillbox"));
  EXPECT_NE(nullptr, LoadIconA(Instance(), "quillbox"));
  EXPECT_EQ(nullptr, LoadIconA(Instance(), "NoSuchIcon"));
  EXPECT_NE(nullptr, LoadIconA(nullptr, IDI_APPLICATION));
  EXPECT_NE(nullptr, LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
