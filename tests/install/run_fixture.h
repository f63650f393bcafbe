// A fresh machine for one installation run: the sandbox, an empty candidate table, a plain window
// that stands in for the progress dialog (its two text lines, and the broadcasts it receives as a
// top-level window) and a message box watch. Tests add fonts beside the program and call Run();
// the run's host is the real pump and the bar's stand-ins (fuzz/road_host.cpp).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalog/font_table.h"
#include "common/message_boxes.h"
#include "common/sandbox.h"

constexpr UINT Failure = MB_ICONWARNING | MB_OKCANCEL;
constexpr UINT Summary = MB_ICONINFORMATION;

class RunTest : public testing::Test {
 protected:
  RunTest() { Start(); }
  ~RunTest() override { Stop(); }

  // Ends this machine and starts another (for tests whose rows each need a machine of their own).
  void FreshMachine();
  Sandbox &sandbox() { return *sandbox_; }
  MessageBoxWatch &boxes() { return *boxes_; }

  // Writes bytes as fileName beside the program and appends a selected record for it, claiming
  // the file's size or, when given, another one.
  void AddFont(const std::string &fileName, const std::string &fontName, const std::string &bytes,
               int claimedSize = -1);
  // Appends a record alone, with whatever size the test wants the run to believe.
  void AddRecord(const std::string &fileName, const std::string &fontName, int fileSize,
                 bool selected = true);
  void Run();

  std::string Line(int id) const;  // RunFontLine or RunFileLine of the stand-in
  // The broadcasts the stand-in received: each message, and the text of WM_WININICHANGE.
  std::vector<std::pair<UINT, std::string>> Broadcasts() const;
  // Expects exactly these boxes (text, style), owned by the stand-in, with the program's caption.
  void ExpectBoxes(const std::vector<std::pair<std::string, UINT>> &expected);

  HWND dialog_ = NULL;

 private:
  void Start();
  void Stop();

  std::unique_ptr<Sandbox> sandbox_;
  std::unique_ptr<MessageBoxWatch> boxes_;
};
