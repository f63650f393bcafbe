// The dialog suites' fixture and input; see dialog_fixture.h.
#include "common/win/dialog_fixture.h"

#include "catalog/font_table.h"
#include "catalog/resource_name.h"
#include "shell/globals.h"

DialogTest::DialogTest() {
  hInst = sandbox.Instance();
  DeleteOriginals = 0;
  FontList = NULL;
  FontCount = 0;
}

DialogTest::~DialogTest() {
  ReleaseFontList();
}

int DialogTest::Place(const Candidate &candidate) {
  std::string bytes = candidate.font >= 0 ? Sandbox::RealFont(candidate.font) : "";
  if (candidate.font >= 0) sandbox.WriteFile(sandbox.InProgramDir(candidate.fileName), bytes);
  // The names the run gives the font's files in the system directory.
  char upper[FileNameSize], resource[FileNameSize];
  CharUpperA(lstrcpynA(upper, candidate.fileName, FileNameSize));
  MakeResourceName(upper, resource);
  sandbox.WillCreateInSystemDir(upper);
  sandbox.WillCreateInSystemDir(resource);
  sandbox.WillWriteFontsKey(candidate.fontName);
  return (int)bytes.size();
}

void DialogTest::WriteList(const std::vector<Candidate> &candidates) {
  std::string list;
  for (const Candidate &candidate : candidates) {
    Place(candidate);
    list += std::string(candidate.fileName) + " " + candidate.fontName + "\r\n";
  }
  sandbox.WriteFile(sandbox.InProgramDir("Quillbox.Lst"), list);
}

void DialogTest::AddCandidates(const std::vector<Candidate> &candidates, int selected) {
  for (const Candidate &candidate : candidates) {
    ASSERT_EQ(1, AppendFontItem(candidate.fileName, candidate.fontName, Place(candidate)));
  }
  SetSelectedFlags(selected);
}

void DialogTest::SetSelectedFlags(int selected) {
  FontItem *items = FontCount > 0 ? (FontItem *)GlobalLock(FontList) : NULL;
  for (int i = 0; items != NULL && i < FontCount; i++) items[i].selected = selected;
  if (items != NULL) GlobalUnlock(FontList);
}

std::vector<int> DialogTest::SelectedFlags() const {
  std::vector<int> flags;
  const FontItem *items = FontCount > 0 ? (const FontItem *)GlobalLock(FontList) : NULL;
  for (int i = 0; items != NULL && i < FontCount; i++) flags.push_back(items[i].selected);
  if (items != NULL) GlobalUnlock(FontList);
  return flags;
}

std::vector<std::string> DialogTest::BoxTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessageBox &box : boxes.Shown()) texts.push_back(box.text);
  return texts;
}

bool DialogTest::Installed(const Candidate &candidate) const {
  return !sandbox.FontsKey(candidate.fontName).empty();
}

namespace {

// A person can click only what is shown and enabled, in a window that is enabled too.
void ExpectClickable(HWND control) {
  ASSERT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control) &&
              IsWindowEnabled(GetAncestor(control, GA_ROOT)))
      << "not clickable";
}

}  // namespace

void Click(HWND control) {
  ExpectClickable(control);
  SendMessageA(control, BM_CLICK, 0, 0);
}

void ClickListItem(HWND list, const std::string &text) {
  ExpectClickable(list);
  int index = (int)SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
  ASSERT_NE(LB_ERR, index) << text << " is not in the list";
  RECT item;
  SendMessageA(list, LB_SETTOPINDEX, index, 0);  // scrolled into view, as a person would
  SendMessageA(list, LB_GETITEMRECT, index, (LPARAM)&item);
  LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

void PressKey(UINT key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

int FocusId(HWND dialog) {
  HWND focus = GetFocus();
  return focus != NULL && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
}
