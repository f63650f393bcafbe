// A machine for one progress dialog: the sandbox, an empty candidate table, and an owner window
// that stands in for the selection dialog. Tests add fonts beside the program and open the dialog.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/sandbox.h"

class StatTest : public testing::Test {
 protected:
  StatTest();
  ~StatTest() override;

  // Writes bytes as fileName beside the program and appends a selected record for it.
  void AddFont(const std::string &fileName, const std::string &fontName, const std::string &bytes);
  // A selected record whose file is missing: the run reports it and passes it over on OK.
  void AddMissingFont(const std::string &fileName, const std::string &fontName, int fileSize);
  // A new owner window (client area = window, no frame) at the given screen rectangle.
  HWND CreateOwner(int x, int y, int width, int height);
  // Where a progress dialog lands over a new owner whose client area is owner (left, top, width,
  // height): the dialog is created, its window rectangle read, and both windows destroyed.
  RECT PlacedOver(const RECT &owner);
  // The progress dialog owned by owner_ while it exists, else NULL.
  HWND FindStatDialog() const;
  std::string DialogLine(HWND dialog, int id) const;

  Sandbox sandbox_;
  HWND owner_ = NULL;
};

// The platform's way to find the progress dialog among the thread's windows.
HWND FindOwnedStatDialog(HWND owner);
