// The shared set-up of the progress dialog's tests, on both platforms.
#include "stat/stat_fixture.h"

#include "catalog/font_table.h"
#include "install/stat_dialog.h"
#include "shell/globals.h"

namespace {

constexpr const char *OwnerClass = "QbStatOwner";

}  // namespace

StatTest::StatTest() {
  hInst = sandbox_.Instance();
  FontList = NULL;  // whatever an earlier test left belonged to another machine
  FontCount = 0;
  DeleteOriginals = 0;
  owner_ = CreateOwner(200, 150, 500, 400);
}

StatTest::~StatTest() {
  if (owner_ != NULL) DestroyWindow(owner_);
  ReleaseFontList();
}

void StatTest::AddFont(const std::string &fileName, const std::string &fontName,
                       const std::string &bytes) {
  sandbox_.WriteFile(sandbox_.InProgramDir(fileName), bytes);
  std::string upper = fileName;
  for (char &c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  sandbox_.WillCreateInSystemDir(upper);
  sandbox_.WillCreateInSystemDir(upper.substr(0, upper.rfind('.') + 1) + "Fot");
  sandbox_.WillWriteFontsKey(fontName);
  AddMissingFont(fileName, fontName, static_cast<int>(bytes.size()));
}

void StatTest::AddMissingFont(const std::string &fileName, const std::string &fontName,
                              int fileSize) {
  ASSERT_EQ(1, AppendFontItem(fileName.c_str(), fontName.c_str(), fileSize));
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  items[FontCount - 1].selected = 1;
  GlobalUnlock(FontList);
}

HWND StatTest::CreateOwner(int x, int y, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.lpszClassName = OwnerClass;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
  // Hidden: its client area is what counts, and Wine maps a visible window to an X window.
  return CreateWindowExA(0, OwnerClass, "Owner", WS_POPUP, x, y, width, height, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

RECT StatTest::PlacedOver(const RECT &owner) {
  RECT placed = {};
  HWND window = CreateOwner(owner.left, owner.top, owner.right, owner.bottom);
  HWND dialog = CreateDialogParamA(hInst, "FontStat", window, FontStatProc, 0);
  EXPECT_NE(static_cast<HWND>(NULL), dialog);
  GetWindowRect(dialog, &placed);
  DestroyWindow(dialog);
  DestroyWindow(window);
  return placed;
}

HWND StatTest::FindStatDialog() const {
  return FindOwnedStatDialog(owner_);
}

std::string StatTest::DialogLine(HWND dialog, int id) const {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}
