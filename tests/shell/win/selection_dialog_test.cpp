// The selection dialog in the running program: how it opens, how its label, Install button and
// focus follow the user, how Install hands the list's selection to the run, and how the user
// leaves without installing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "catalog/font_table.h"
#include "common/win/dialog_fixture.h"
#include "resource.h"
#include "shell/globals.h"
#include "shell/win/program_run.h"

namespace {

// In table order; the list sorts them without regard to case, the high-byte name among them.
const std::vector<Candidate> Five = {{"zephyr.ttf", "Zephyr Serif", 0},
                                     {"ALPINE.TTF", "alpine Mono", 1},
                                     {"Harbor.ttf", "Harbor Sans", 2},
                                     {"BIRCH.TTF", "Birch", 3},
                                     {"CAFE.TTF", "Caf\xE9 Sans", 4}};
const std::vector<std::string> Sorted = {"alpine Mono", "Birch", "Caf\xE9 Sans", "Harbor Sans",
                                         "Zephyr Serif"};

HWND Item(int id) {
  return GetDlgItem(hFontDial, id);
}

std::string Label() {
  char text[80] = "";
  GetDlgItemTextA(hFontDial, IDC_SELCOUNT, text, sizeof text);
  return text;
}

// The list's texts in list order: all of them, or the selected ones.
std::vector<std::string> Items(bool selectedOnly) {
  std::vector<std::string> texts;
  HWND list = Item(IDC_FONTLIST);
  for (int i = 0; i < (int)SendMessageA(list, LB_GETCOUNT, 0, 0); i++) {
    char text[FontNameSize] = "";
    SendMessageA(list, LB_GETTEXT, i, (LPARAM)text);
    if (!selectedOnly || SendMessageA(list, LB_GETSEL, i, 0) > 0) texts.push_back(text);
  }
  return texts;
}

std::function<void()> ClickOn(const char *name) {
  return [name] { ClickListItem(Item(IDC_FONTLIST), name); };
}

using SelectionDialog = DialogTest;

TEST_F(SelectionDialog, OpensSortedAndCountsTheSelection) {
  WriteList(Five);
  struct Step {
    const char *context;
    std::function<void()> act;
    const char *label;
    std::vector<std::string> selected;  // and Install is enabled when there is any
  } steps[] = {
      // clang-format off
      {"opened", [] {}, "No fonts selected", {}},
      {"click Harbor Sans", ClickOn("Harbor Sans"), "1 font selected", {"Harbor Sans"}},
      {"click alpine Mono", ClickOn("alpine Mono"), "2 fonts selected", {"alpine Mono", "Harbor Sans"}},
      {"Select All", [] { Click(Item(IDC_SELECTALL)); }, "5 fonts selected", Sorted},
      {"click Birch off", ClickOn("Birch"), "4 fonts selected", {"alpine Mono", "Caf\xE9 Sans", "Harbor Sans", "Zephyr Serif"}},
      {"Unselect All", [] { Click(Item(IDC_UNSELECTALL)); }, "No fonts selected", {}},
      {"click Zephyr Serif", ClickOn("Zephyr Serif"), "1 font selected", {"Zephyr Serif"}},
      {"click Zephyr Serif off", ClickOn("Zephyr Serif"), "No fonts selected", {}},
      // clang-format on
  };
  EXPECT_EQ(0, RunProgramWith("", SW_SHOWNORMAL, [&] {
              char caption[80] = "";
              GetWindowTextA(hFontDial, caption, sizeof caption);
              EXPECT_STREQ(AppCaption, caption);
              RECT placed;
              GetWindowRect(hFontDial, &placed);
              EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN), placed.left + placed.right, 1);
              EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN), placed.top + placed.bottom, 1);
              EXPECT_EQ(Sorted, Items(false));
              EXPECT_EQ(IDC_SELECTALL, FocusId(hFontDial));
              for (const Step &step : steps) {
                SCOPED_TRACE(step.context);
                step.act();
                Pump();
                EXPECT_EQ(step.label, Label());
                EXPECT_EQ(step.selected, Items(true));
                EXPECT_EQ(!step.selected.empty(), IsWindowEnabled(Item(IDOK)) != FALSE);
              }
            }));
  EXPECT_TRUE(BoxTexts().empty());
}

// Tab goes round the controls in template order through the real dialog manager, passing over
// the check box while it is hidden and Install while it is disabled.
TEST_F(SelectionDialog, TabPassesOverTheHiddenCheckBoxAndTheDisabledInstall) {
  WriteList(Five);
  struct Row {
    const char *context;
    const char *tail;
    bool selectBirch;  // which also puts the focus on the list
    std::vector<int> order;
  } rows[] = {
      // clang-format off
      {"without /d, nothing selected", "", false, {IDC_UNSELECTALL, IDCANCEL, IDC_FONTLIST, IDC_SELECTALL}},
      {"with /d, a font selected", "/d", true, {IDC_DELETE, IDC_SELECTALL, IDC_UNSELECTALL, IDOK, IDCANCEL, IDC_FONTLIST}},
      // clang-format on
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    std::vector<int> order;
    EXPECT_EQ(0, RunProgramWith(row.tail, SW_SHOWNORMAL, [&] {
                if (row.selectBirch) ClickOn("Birch")();
                for (size_t i = 0; i < row.order.size(); i++) {
                  PressKey(VK_TAB);
                  Pump();
                  order.push_back(FocusId(hFontDial));
                }
              }));
    EXPECT_EQ(row.order, order);
  }
}

// A list position is not a table position: Install marks each record by its font name and
// clears the flags of the others. The sources are gone by then, so the run reports each selected
// font in table order and installs nothing; then the program ends.
TEST_F(SelectionDialog, InstallMarksTheRecordsByNameThenRunsAndEnds) {
  WriteList(Five);
  std::vector<int> flags;
  bool ended = false;
  EXPECT_EQ(0, RunProgramWith("", SW_SHOWNORMAL, [&] {
              SetSelectedFlags(1);
              for (const char *name : {"Harbor Sans", "Zephyr Serif", "Caf\xE9 Sans"})
                ClickOn(name)();
              for (const Candidate &candidate : Five)
                sandbox.Remove(sandbox.InProgramDir(candidate.fileName));
              Click(Item(IDOK));
              flags = SelectedFlags();
              ended = !Pump();
            }));
  EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 1}), flags);
  EXPECT_EQ(
      (std::vector<std::string>{
          "Cannot copy the font file 'ZEPHYR.TTF'.", "Cannot copy the font file 'HARBOR.TTF'.",
          "Cannot copy the font file 'CAFE.TTF'.", "No new fonts were installed."}),
      BoxTexts());
  EXPECT_TRUE(ended);
}

TEST_F(SelectionDialog, CancelEscapeAndTheCloseBoxLeaveWithoutInstalling) {
  WriteList(Five);
  // Each row begins with Birch selected; the last clicks it off again, leaving the focus in the
  // list with Install disabled.
  struct Row {
    const char *context;
    std::function<void()> act;
    bool ends;
  } rows[] = {
      {"Cancel clicked", [] { Click(Item(IDCANCEL)); }, true},
      {"Escape pressed", [] { PressKey(VK_ESCAPE); }, true},
      {"close box", [] { PostMessageA(hFontDial, WM_SYSCOMMAND, SC_CLOSE, 0); }, true},
      {"Enter with nothing selected", [] { ClickOn("Birch")(), PressKey(VK_RETURN); }, false},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    bool ended = false;
    EXPECT_EQ(0, RunProgramWith("", SW_SHOWNORMAL, [&] {
                ClickOn("Birch")();
                row.act();
                ended = !Pump();
              }));
    EXPECT_EQ(row.ends, ended);
    EXPECT_TRUE(BoxTexts().empty()) << "a run started";
  }
}

TEST_F(SelectionDialog, InstallsTheSelectedFontAndDeletesItsSourceWhenAsked) {
  const std::vector<Candidate> two = {{"QBDIALB.TTF", "Quillbox Dial Beta", 0},
                                      {"qbdiala.ttf", "quillbox Dial Alpha", 1}};
  WriteList(two);
  EXPECT_EQ(0, RunProgramWith("/d", SW_SHOWNORMAL, [&] {
              Click(Item(IDC_DELETE));
              ClickOn("quillbox Dial Alpha")();
              Click(Item(IDOK));
              Pump();
            }));
  EXPECT_EQ((std::vector<std::string>{"1 new TrueType font is now available."}), BoxTexts());
  EXPECT_TRUE(Installed(two[1]));
  EXPECT_EQ(Sandbox::RealFont(1), sandbox.ReadFile(sandbox.InSystemDir("QBDIALA.TTF")));
  EXPECT_FALSE(sandbox.Exists(sandbox.InProgramDir("qbdiala.ttf"))) << "source kept";
  EXPECT_FALSE(Installed(two[0]));
  EXPECT_TRUE(sandbox.Exists(sandbox.InProgramDir("QBDIALB.TTF")));
}

}  // namespace
