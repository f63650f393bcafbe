// The sorted multiple-selection list box on both platforms: the order LBS_SORT gives,
// LB_SELITEMRANGE, what LB_GETSEL and friends answer, and the scroll bar. Clicks and keys that
// toggle and move are checked through the program's dialog by the dial suite.
#include "user32/user32_fixture.h"

#include <string>

namespace {

class ListBox : public User32Test {
 protected:
  ListBox() {
    onDialog = [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT *) {
      if (message == WM_COMMAND && LOWORD(wParam) == IDC_LIST)
        notifications.push_back(HIWORD(wParam));
      return false;
    };
    dialog = CreateTestDialog("PROBEDLG", nullptr);
    list = GetDlgItem(dialog, IDC_LIST);
    ShowWindow(dialog, SW_SHOWNORMAL);
  }

  void Add(std::initializer_list<const char *> names) {
    for (const char *name : names) SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
  }
  std::string Items() {
    std::string text;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
      char item[80];
      SendMessageA(list, LB_GETTEXT, i, (LPARAM)item);
      text += (i ? "|" : "") + std::string(item);
    }
    return text;
  }
  std::string Selection() {
    std::string marks;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) marks += SendMessageA(list, LB_GETSEL, i, 0) > 0 ? 'x' : '.';
    return marks;
  }
  int SelectionChanges() {
    int count = 0;
    for (WORD code : notifications) count += code == LBN_SELCHANGE;
    return count;
  }

  HWND dialog = nullptr;
  HWND list = nullptr;
  std::vector<WORD> notifications;
};

TEST_F(ListBox, SortsWithoutRegardToCase) {
  struct Row {
    const char *context;
    std::initializer_list<const char *> added;
    const char *sorted;
  } rows[] = {
      {"mixed case", {"harbor", "Anchor", "compass", "BEACON"}, "Anchor|BEACON|compass|harbor"},
      {"same words, other case: the newer goes first", {"abc", "ABC", "Abc"}, "Abc|ABC|abc"},
      {"prefixes",
       {"Harbor Sans Bold", "Harbor Sans", "Harbor"},
       "Harbor|Harbor Sans|Harbor Sans Bold"},
      {"digits before letters",
       {"Zed", "10 Pitch", "2 Pitch", "alpha"},
       "10 Pitch|2 Pitch|alpha|Zed"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    Add(row.added);
    EXPECT_EQ(row.sorted, Items());
  }
}

TEST_F(ListBox, ReadingItemsAndTheirSelection) {
  Add({"Beta", "Alpha", "Gamma"});
  EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ(4, SendMessageA(list, LB_GETTEXTLEN, 1, 0));
  char text[80] = "";
  EXPECT_EQ(5, SendMessageA(list, LB_GETTEXT, 0, (LPARAM)text));
  EXPECT_STREQ("Alpha", text);
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_GETTEXT, 3, (LPARAM)text));
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_GETTEXTLEN, -1, 0));
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_GETSEL, 3, 0));
  EXPECT_EQ(LB_ERR, SendMessageA(list, LB_GETSEL, (WPARAM)-1, 0));
  EXPECT_EQ(0, SendMessageA(list, LB_GETSEL, 1, 0));
  EXPECT_EQ(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  EXPECT_EQ(LB_OKAY, SendMessageA(list, LB_SETSEL, TRUE, 1));
  EXPECT_EQ(".x.", Selection());
  EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  EXPECT_TRUE(notifications.empty() || SelectionChanges() == 0);  // set by the program: no news
}

TEST_F(ListBox, SelectItemRangeSelectsAndClearsWithoutNotifying) {
  Add({"A", "B", "C", "D", "E", "F", "G"});
  notifications.clear();
  struct Row {
    const char *context;
    BOOL select;
    WORD first, last;
    const char *selection;
  } rows[] = {
      {"all", TRUE, 0, 6, "xxxxxxx"},
      {"clear the middle", FALSE, 2, 4, "xx...xx"},
      {"reversed bounds", TRUE, 3, 2, "xxxx.xx"},
      {"past the end", FALSE, 5, 60, "xxxx..."},
      {"clear all", FALSE, 0, 6, "......."},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    EXPECT_EQ(LB_OKAY,
              SendMessageA(list, LB_SELITEMRANGE, row.select, MAKELPARAM(row.first, row.last)));
    EXPECT_EQ(row.selection, Selection());
  }
  EXPECT_EQ(0, SelectionChanges());
}

TEST_F(ListBox, ScrollBarShowsWhenTheItemsDoNotFit) {
  RECT before;
  GetClientRect(list, &before);
  EXPECT_EQ(0, GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(80, before.bottom);  // five items of 16 pixels
  EXPECT_EQ(16, SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  Add({"1", "2", "3", "4", "5"});
  EXPECT_EQ(0, GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  Add({"6"});
  EXPECT_EQ(WS_VSCROLL, GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  RECT after;
  GetClientRect(list, &after);
  EXPECT_EQ(before.right - GetSystemMetrics(SM_CXVSCROLL), after.right);
}

}  // namespace
