// The selection dialog as the user meets it: how it opens, and how its label, Install button,
// check box and focus follow clicks and keys given through a loop like the program's.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalog/font_table.h"
#include "dial/dial_harness.h"
#include "dial/dial_input.h"
#include "resource.h"
#include "shell/globals.h"

namespace {

const std::vector<std::string> SortedNames = {"alpine Mono", "Birch", "Harbor Sans",
                                              "Zephyr Serif"};

using DialOpen = DialTest;

TEST_F(DialOpen, IsCentredCaptionedSortedAndWaitsForASelection) {
  AddCandidates(FourCandidates);
  OpenDialog();

  char caption[80] = "";
  GetWindowTextA(hFontDial, caption, sizeof caption);
  EXPECT_STREQ(AppCaption, caption);
  RECT rect;
  GetWindowRect(hFontDial, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, rect.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 2, rect.top);

  EXPECT_EQ(SortedNames, Items());
  EXPECT_TRUE(SelectedItems().empty());
  EXPECT_EQ("No fonts selected", Label());
  EXPECT_FALSE(InstallEnabled());
  EXPECT_EQ(IDC_SELECTALL, FocusId());
  EXPECT_FALSE(IsWindowVisible(Control(IDC_DELETE))) << "shown without the option";
  EXPECT_TRUE(events.empty());
}

TEST_F(DialOpen, ShowsTheCheckBoxOnlyWithTheOptionAndSetsItFromTheFlag) {
  struct Row {
    const char *context;
    int option, deleteOriginals;
    bool visible;
    UINT checked;
  } rows[] = {
      {"without the option", 0, 0, false, BST_UNCHECKED},
      {"with the option", 1, 0, true, BST_UNCHECKED},
      {"with the option and the flag already set", 1, 1, true, BST_CHECKED},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    ShowDeleteOption = row.option;
    DeleteOriginals = row.deleteOriginals;
    AddCandidates(FourCandidates);
    OpenDialog();
    EXPECT_EQ(row.visible, IsWindowVisible(Control(IDC_DELETE)) != FALSE);
    EXPECT_EQ(row.checked, IsDlgButtonChecked(hFontDial, IDC_DELETE));
    CloseDialog();
  }
}

using DialSelect = DialTest;

TEST_F(DialSelect, FollowsClicksOnItems) {
  AddCandidates(FourCandidates);
  OpenDialog();
  auto click = [this](const char *name) { return [this, name] { ClickItem(name); }; };
  // clang-format off
  RunSteps({
      {"click Harbor Sans",        click("Harbor Sans"),  "1 font selected",   {"Harbor Sans"}, IDC_FONTLIST},
      {"click alpine Mono",        click("alpine Mono"),  "2 fonts selected",  {"alpine Mono", "Harbor Sans"}, IDC_FONTLIST},
      {"click Zephyr Serif",       click("Zephyr Serif"), "3 fonts selected",  {"alpine Mono", "Harbor Sans", "Zephyr Serif"}, IDC_FONTLIST},
      {"click Harbor Sans again",  click("Harbor Sans"),  "2 fonts selected",  {"alpine Mono", "Zephyr Serif"}, IDC_FONTLIST},
      {"click alpine Mono again",  click("alpine Mono"),  "1 font selected",   {"Zephyr Serif"}, IDC_FONTLIST},
      {"click Zephyr Serif again", click("Zephyr Serif"), "No fonts selected", {}, IDC_FONTLIST},
  });
  // clang-format on
}

// In a list box with multiple selection the arrow keys move the caret and report a selection
// change without changing the selection, and Space toggles the item under the caret. Under Wine
// (8.0) Space does not report its change itself, so every Space here is followed by an arrow
// key, which reports it on both platforms. Tab moves between the controls through the dialog
// manager, passing over hidden and disabled ones; Enter presses the focused button.
TEST_F(DialSelect, FollowsTheKeyboard) {
  AddCandidates(FourCandidates);
  OpenDialog();
  auto press = [](std::vector<UINT> keys) {
    return [keys] {
      for (UINT key : keys) PressKey(key);
    };
  };
  const std::vector<std::string> none,
      first = {"alpine Mono"}, firstAndThird = {"alpine Mono", "Harbor Sans"},
      allButBirch = {"alpine Mono", "Harbor Sans", "Zephyr Serif"},
      firstAndLast = {"alpine Mono", "Zephyr Serif"}, last = {"Zephyr Serif"};
  // clang-format off
  RunSteps({
      {"Tab from Select All",              press({VK_TAB}),                  "No fonts selected", none, IDC_UNSELECTALL},
      {"Tab over the disabled Install",    press({VK_TAB}),                  "No fonts selected", none, IDCANCEL},
      {"Tab from Cancel to the list",      press({VK_TAB}),                  "No fonts selected", none, IDC_FONTLIST},
      {"Space on the first item, Up",      press({VK_SPACE, VK_UP}),         "1 font selected",   first, IDC_FONTLIST},
      {"Down twice",                       press({VK_DOWN, VK_DOWN}),        "1 font selected",   first, IDC_FONTLIST},
      {"Space on the third item, Down",    press({VK_SPACE, VK_DOWN}),       "2 fonts selected",  firstAndThird, IDC_FONTLIST},
      {"Space on the fourth item, Up",     press({VK_SPACE, VK_UP}),         "3 fonts selected",  allButBirch, IDC_FONTLIST},
      {"Space on the third item, Home",    press({VK_SPACE, VK_HOME}),       "2 fonts selected",  firstAndLast, IDC_FONTLIST},
      {"Space on the first item, End",     press({VK_SPACE, VK_END}),        "1 font selected",   last, IDC_FONTLIST},
      {"Space on the last item, Up",       press({VK_SPACE, VK_UP}),         "No fonts selected", none, IDC_FONTLIST},
      {"Tab over the hidden check box",    press({VK_TAB}),                  "No fonts selected", none, IDC_SELECTALL},
      {"Enter on Select All",              press({VK_RETURN}),               "4 fonts selected",  SortedNames, IDC_SELECTALL},
      {"Tab to Unselect All",              press({VK_TAB}),                  "4 fonts selected",  SortedNames, IDC_UNSELECTALL},
      {"Space on Unselect All",            press({VK_SPACE}),                "No fonts selected", none, IDC_UNSELECTALL},
  });
  // clang-format on
  EXPECT_TRUE(events.empty()) << "the owner was asked for something";
}

TEST_F(DialSelect, TabReachesTheCheckBoxAndInstallWhenTheyAreAvailable) {
  ShowDeleteOption = 1;
  AddCandidates(FourCandidates);
  OpenDialog();
  auto tab = [] { PressKey(VK_TAB); };
  const std::vector<std::string> birch = {"Birch"};
  // clang-format off
  RunSteps({
      {"click Birch",         [this] { ClickItem("Birch"); }, "1 font selected", birch, IDC_FONTLIST},
      {"Tab to the check box", tab, "1 font selected", birch, IDC_DELETE},
      {"Tab to Select All",    tab, "1 font selected", birch, IDC_SELECTALL},
      {"Tab to Unselect All",  tab, "1 font selected", birch, IDC_UNSELECTALL},
      {"Tab to Install",       tab, "1 font selected", birch, IDOK},
      {"Tab to Cancel",        tab, "1 font selected", birch, IDCANCEL},
      {"Tab to the list",      tab, "1 font selected", birch, IDC_FONTLIST},
  });
  // clang-format on
}

TEST_F(DialSelect, SelectAllAndUnselectAllByClick) {
  AddCandidates(FourCandidates);
  OpenDialog();
  auto clickBirch = [this] { ClickItem("Birch"); };
  auto selectAll = [this] { ClickButton(IDC_SELECTALL); };
  auto unselectAll = [this] { ClickButton(IDC_UNSELECTALL); };
  // clang-format off
  RunSteps({
      {"click Birch",        clickBirch,  "1 font selected",   {"Birch"}, 0},
      {"Select All",         selectAll,   "4 fonts selected",  SortedNames, 0},
      {"Select All again",   selectAll,   "4 fonts selected",  SortedNames, 0},
      {"click Birch off",    clickBirch,  "3 fonts selected",  {"alpine Mono", "Harbor Sans", "Zephyr Serif"}, 0},
      {"Unselect All",       unselectAll, "No fonts selected", {}, 0},
      {"Unselect All again", unselectAll, "No fonts selected", {}, 0},
  });
  // clang-format on
}

TEST_F(DialSelect, CheckBoxClicksSetTheDeleteFlag) {
  ShowDeleteOption = 1;
  AddCandidates(FourCandidates);
  OpenDialog();
  ASSERT_TRUE(IsWindowVisible(Control(IDC_DELETE)));
  for (int expected : {1, 0, 1}) {
    SCOPED_TRACE(expected ? "click to check" : "click to clear");
    ClickButton(IDC_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return DeleteOriginals == expected; }));
    EXPECT_EQ(expected ? BST_CHECKED : BST_UNCHECKED,
              (int)IsDlgButtonChecked(hFontDial, IDC_DELETE));
    EXPECT_EQ("No fonts selected", Label()) << "the check box is not a selection";
  }
}

}  // namespace
