// What the dialog suites under Wine share: a sandbox with a candidate table, the message box
// watch, and input given as the dialog manager and the controls take it from the thread's own
// queue. Sent and posted input reaches only this process's windows, so no X focus or pointer
// position can disturb a test, and no double click can be made by accident.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/message_boxes.h"
#include "common/sandbox.h"

struct Candidate {
  const char *fileName;
  const char *fontName;
  int font;  // Sandbox::RealFont(font) lies beside the program; -1: the file is missing
};

class DialogTest : public testing::Test {
 protected:
  DialogTest();  // the run's globals as a fresh process has them
  ~DialogTest() override;

  // Writes the list file naming the candidates, and their font files beside it.
  void WriteList(const std::vector<Candidate> &candidates);
  // Appends a record for each candidate, writing its font file, and sets every record's flag.
  void AddCandidates(const std::vector<Candidate> &candidates, int selected);
  void SetSelectedFlags(int selected);
  std::vector<int> SelectedFlags() const;  // each record's flag, in table order
  std::vector<std::string> BoxTexts() const;
  // True once WIN.INI has a key for the font: the run installed it.
  bool Installed(const Candidate &candidate) const;

  Sandbox sandbox;
  MessageBoxWatch boxes;

 private:
  // Writes the candidate's font file (when it has one), and has the sandbox take away what its
  // installation adds; returns the file's size.
  int Place(const Candidate &candidate);
};

// A click on an enabled, visible button or list item, as the control handles a real one.
void Click(HWND control);
void ClickListItem(HWND list, const std::string &text);
// A key pressed on the control with the focus.
void PressKey(UINT key);
// The control id with the keyboard focus in dialog (0: none there).
int FocusId(HWND dialog);
