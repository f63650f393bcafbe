// What the selection dialog tests share: a sandbox with a candidate table, an owner window that
// stands in for the program's own and logs what the dialog asks of it, and a message loop like
// the program's main loop, which gives the dialog its keyboard interface.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/message_boxes.h"
#include "common/sandbox.h"

struct Candidate {
  const char *fileName;
  const char *fontName;
};

// Four candidates whose table order is not the list's order, and whose names sort differently
// with and without regard to case: the list shows alpine Mono, Birch, Harbor Sans, Zephyr Serif.
extern const std::vector<Candidate> FourCandidates;

class DialTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void AddCandidates(const std::vector<Candidate> &candidates);
  // Creates the dialog as the owner window does (create, show, update) under a stand-in owner
  // that lies below the screen, and brings it to the front.
  void OpenDialog();
  // Ends the dialog and its owner if they are still there, forgets what the owner received and
  // frees the table, so that a table-driven test starts each row afresh.
  void CloseDialog();

  // One turn of the program's main loop: every queued message, offered to IsDialogMessageA first.
  void Pump();
  // Pumps until the condition holds; false when it still does not after about three seconds.
  bool PumpUntil(const std::function<bool()> &condition);
  // Pumps for a while, for checks that something did not happen.
  void Settle();

  HWND Control(int id) const;
  std::string Label() const;
  bool InstallEnabled() const;
  std::vector<std::string> Items() const;          // list box texts in list order
  std::vector<std::string> SelectedItems() const;  // the selected ones, in list order
  std::vector<int> SelectedFlags() const;          // `selected` of each record, in table order
  void SetSelectedFlags(int value);

  void ClickItem(const std::string &fontName);
  void ClickButton(int id);
  void TabTo(int id);  // presses Tab until the control has the focus

  // One user action and the state it must lead to.
  struct Step {
    const char *context;
    std::function<void()> act;
    std::string label;
    std::vector<std::string> selected;  // list items selected afterwards; Install enabled if any
    int focus;                          // control id with the focus afterwards; 0: not checked
  };
  void RunSteps(const std::vector<Step> &steps);

  // Watches an installation run started from the dialog. ExpectRunThenClose then checks that the
  // run showed exactly these message box texts, all owned by one window that is neither the
  // selection dialog nor its owner (the progress dialog), that this window was gone when the
  // owner was asked to close, and that the close was the owner's only request.
  void WatchRun(MessageBoxWatch *watch);
  void ExpectRunThenClose(const MessageBoxWatch &watch, const std::vector<std::string> &texts);

  Sandbox sandbox;
  HWND owner = nullptr;
  // What the stand-in owner received ("owner WM_CLOSE(0,0)") and what the box answerer saw,
  // in order.
  std::vector<std::string> events;
  // Called when the owner receives WM_CLOSE, before it destroys anything.
  std::function<void()> onOwnerClose;
  HWND openedDialog = nullptr;  // hFontDial as OpenDialog created it

 private:
  size_t boxesAtClose = 0;
  bool boxOwnerAliveAtClose = false;
};

// The control that has the keyboard focus, as a control id (0 for none or a foreign window).
int FocusId();
