// A fresh machine for one installation run: the sandbox, an empty candidate table, a window that
// stands in for the progress dialog (with its two text lines), the recording host and a message
// box watch. Tests add fonts beside the program, select them and call Run().
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalog/font_table.h"
#include "common/message_boxes.h"
#include "common/sandbox.h"

// A notification that reached the stand-in dialog as a top-level window.
struct SeenBroadcast {
  UINT message;
  std::string text;  // the text lParam points to, for WM_WININICHANGE
};

class RunTest : public testing::Test {
 protected:
  RunTest();
  ~RunTest() override;

  // Ends this machine and starts another, with an empty table, a new stand-in dialog and a new
  // watch (for tests that go through rows, each on a machine of its own).
  void FreshMachine();
  Sandbox &sandbox() { return *sandbox_; }
  MessageBoxWatch &boxes() { return *boxes_; }

  // Writes bytes as fileName beside the program and appends a record for it with its size.
  void AddFont(const std::string &fileName, const std::string &fontName, const std::string &bytes,
               bool selected = true);
  // The same with the size the record claims, whatever the file's own.
  void AddFontSized(const std::string &fileName, const std::string &fontName,
                    const std::string &bytes, int fileSize);
  // Appends a record alone, with whatever size the test wants the run to believe.
  void AddRecord(const std::string &fileName, const std::string &fontName, int fileSize,
                 bool selected = true);
  void Run();

  FontItem Record(int index) const;
  std::string FontLine() const;  // IDC_STATFONT of the stand-in dialog
  std::string FileLine() const;  // IDC_STATFILE
  // The broadcasts of the run, as the stand-in dialog received them as a top-level window.
  std::vector<SeenBroadcast> Broadcasts();
  // Expects exactly these message box texts, all owned by the dialog with the program's caption.
  void ExpectBoxes(const std::vector<std::pair<std::string, UINT>> &expected);

  HWND dialog_ = NULL;

 private:
  void Start();
  void Stop();

  std::unique_ptr<Sandbox> sandbox_;
  std::unique_ptr<MessageBoxWatch> boxes_;
};

// Received by the stand-in dialog's window procedure since the test began.
std::vector<SeenBroadcast> &ReceivedBroadcasts();
// A module handle whose file lies in the system directory, so that the run sees the program
// there (host: the simulated module moved there; Windows: KERNEL32).
HINSTANCE ModuleInSystemDirectory(const Sandbox &sandbox);
