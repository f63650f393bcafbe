// The selection dialog tests' fixture: sandbox, candidate table, stand-in owner, main loop.
#include "dial/dial_harness.h"

#include <cstdio>

#include "catalog/font_table.h"
#include "dial/dial_input.h"
#include "resource.h"
#include "shell/font_dial.h"
#include "shell/globals.h"

const std::vector<Candidate> FourCandidates = {
    {"zephyr.ttf", "Zephyr Serif"},
    {"ALPINE.TTF", "alpine Mono"},
    {"Harbor.ttf", "Harbor Sans"},
    {"BIRCH.TTF", "Birch"},
};

namespace {

constexpr char OwnerClass[] = "QbDialTestOwner";
std::vector<std::string> *currentEvents;
std::function<void()> currentOnClose;

std::string Describe(const char *name, WPARAM wParam, LPARAM lParam) {
  char text[80];
  std::snprintf(text, sizeof text, "owner %s(%#lx,%ld)", name, (unsigned long)wParam, (long)lParam);
  return text;
}

// Stands in for the program's owner window: it logs the two requests the dialog may post and
// carries out the close the way the program does, dialog first.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      currentEvents->push_back(Describe("WM_CLOSE", wParam, lParam));
      if (currentOnClose) currentOnClose();
      if (hFontDial != nullptr) DestroyWindow(hFontDial);
      hFontDial = nullptr;
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      currentEvents->push_back(Describe("WM_SYSCOMMAND", wParam, lParam));
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int FocusId() {
  HWND focus = GetFocus();
  if (focus == nullptr || hFontDial == nullptr || GetParent(focus) != hFontDial) return 0;
  return GetDlgCtrlID(focus);
}

void DialTest::SetUp() {
  currentEvents = &events;
  currentOnClose = [this] {
    if (onOwnerClose) onOwnerClose();
  };
  hInst = sandbox.Instance();
  hFontDial = nullptr;
  ShowDeleteOption = 0;
  DeleteOriginals = 0;
  ReleaseFontList();

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = OwnerProc;
  windowClass.hInstance = hInst;
  windowClass.lpszClassName = OwnerClass;
  RegisterClassA(&windowClass);  // already registered by an earlier test under Wine: fine
}

void DialTest::TearDown() {
  CloseDialog();
}

void DialTest::CloseDialog() {
  if (hFontDial != nullptr) DestroyWindow(hFontDial);
  hFontDial = nullptr;
  if (owner != nullptr && IsWindow(owner)) DestroyWindow(owner);
  owner = nullptr;
  Pump();
  events.clear();
  ReleaseFontList();
}

void DialTest::AddCandidates(const std::vector<Candidate> &candidates) {
  for (const Candidate &candidate : candidates)
    ASSERT_EQ(1, AppendFontItem(candidate.fileName, candidate.fontName, 1000))
        << candidate.fontName;
}

void DialTest::OpenDialog() {
  owner = CreateWindowExA(0, OwnerClass, AppCaption, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                          GetSystemMetrics(SM_CYSCREEN), 0, 0, nullptr, nullptr, hInst, nullptr);
  ASSERT_NE(nullptr, owner);
  ShowWindow(owner, SW_SHOWNORMAL);
  hFontDial = CreateDialogParamA(hInst, "FontDial", owner, FontDialProc, 0);
  ASSERT_NE(nullptr, hFontDial);
  openedDialog = hFontDial;
  ShowWindow(hFontDial, SW_SHOW);
  UpdateWindow(hFontDial);
  BringToFront(hFontDial);
  Settle();
}

void DialTest::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    if (hFontDial != nullptr && IsDialogMessageA(hFontDial, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool DialTest::PumpUntil(const std::function<bool()> &condition) {
  for (int turn = 0; turn < 300; turn++) {
    Pump();
    if (condition()) return true;
    WaitForInput();
  }
  return condition();
}

void DialTest::Settle() {
  for (int turn = 0; turn < 20; turn++) {
    Pump();
    WaitForInput();
  }
}

HWND DialTest::Control(int id) const {
  return GetDlgItem(hFontDial, id);
}

std::string DialTest::Label() const {
  char text[128] = "";
  GetDlgItemTextA(hFontDial, IDC_SELCOUNT, text, sizeof text);
  return text;
}

bool DialTest::InstallEnabled() const {
  return IsWindowEnabled(Control(IDOK)) != FALSE;
}

std::vector<std::string> DialTest::Items() const {
  std::vector<std::string> items;
  int count = (int)SendDlgItemMessageA(hFontDial, IDC_FONTLIST, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; i++) {
    char text[256] = "";
    SendDlgItemMessageA(hFontDial, IDC_FONTLIST, LB_GETTEXT, i, (LPARAM)text);
    items.push_back(text);
  }
  return items;
}

std::vector<std::string> DialTest::SelectedItems() const {
  std::vector<std::string> items = Items();
  std::vector<std::string> selected;
  for (size_t i = 0; i < items.size(); i++)
    if (SendDlgItemMessageA(hFontDial, IDC_FONTLIST, LB_GETSEL, i, 0) > 0)
      selected.push_back(items[i]);
  return selected;
}

std::vector<int> DialTest::SelectedFlags() const {
  std::vector<int> flags;
  if (FontCount == 0) return flags;
  const FontItem *items = (const FontItem *)GlobalLock(FontList);
  for (int i = 0; i < FontCount; i++) flags.push_back(items[i].selected);
  GlobalUnlock(FontList);
  return flags;
}

void DialTest::SetSelectedFlags(int value) {
  if (FontCount == 0) return;
  FontItem *items = (FontItem *)GlobalLock(FontList);
  for (int i = 0; i < FontCount; i++) items[i].selected = value;
  GlobalUnlock(FontList);
}

void DialTest::ClickItem(const std::string &fontName) {
  std::vector<std::string> items = Items();
  int index = 0;
  while (index < (int)items.size() && items[index] != fontName) index++;
  ASSERT_LT(index, (int)items.size()) << fontName << " is not in the list";
  ASSERT_TRUE(ClickListItem(Control(IDC_FONTLIST), index)) << fontName;
}

void DialTest::ClickButton(int id) {
  ASSERT_TRUE(ClickControl(Control(id))) << "control " << id;
}

void DialTest::TabTo(int id) {
  for (int presses = 0; presses < 8 && FocusId() != id; presses++) {
    PressKey(VK_TAB);
    PumpUntil([&] { return FocusId() != 0; });
    Settle();
  }
  ASSERT_EQ(id, FocusId());
}

void DialTest::RunSteps(const std::vector<Step> &steps) {
  for (const Step &step : steps) {
    SCOPED_TRACE(step.context);
    step.act();
    if (step.focus != 0) {
      EXPECT_TRUE(PumpUntil([&] { return FocusId() == step.focus; })) << "focus on " << FocusId();
    }
    PumpUntil([&] { return Label() == step.label; });
    Settle();  // and nothing more follows
    EXPECT_EQ(step.label, Label());
    EXPECT_EQ(step.selected, SelectedItems());
    EXPECT_EQ(!step.selected.empty(), InstallEnabled());
    if (step.focus != 0) {
      EXPECT_EQ(step.focus, FocusId());
    }
  }
}

void DialTest::WatchRun(MessageBoxWatch *watch) {
  onOwnerClose = [this, watch] {
    std::vector<ShownMessageBox> shown = watch->Shown();
    boxesAtClose = shown.size();
    boxOwnerAliveAtClose = !shown.empty() && IsWindow(shown.front().owner);
  };
}

void DialTest::ExpectRunThenClose(const MessageBoxWatch &watch,
                                  const std::vector<std::string> &texts) {
  std::vector<ShownMessageBox> shown = watch.Shown();
  std::vector<std::string> shownTexts;
  for (const ShownMessageBox &box : shown) shownTexts.push_back(box.text);
  EXPECT_EQ(texts, shownTexts);
  if (!shown.empty()) {
    HWND runOwner = shown.front().owner;
    EXPECT_NE(nullptr, runOwner);
    EXPECT_NE(openedDialog, runOwner) << "a box owned by the selection dialog";
    EXPECT_NE(owner, runOwner) << "a box owned by the owner window";
    for (const ShownMessageBox &box : shown) EXPECT_EQ(runOwner, box.owner) << box.text;
  }
  EXPECT_EQ(texts.size(), boxesAtClose) << "the owner was asked to close during the run";
  EXPECT_FALSE(boxOwnerAliveAtClose) << "the progress dialog was still open at the close";
  EXPECT_EQ((std::vector<std::string>{"owner WM_CLOSE(0,0)"}), events);
}
