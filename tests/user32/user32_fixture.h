// The window manager tests' fixture: a fresh machine (sandbox), a throwaway window class and a
// dialog procedure that record every message in the MessageLog and let the test add handling,
// and a loop that runs the thread's queue dry. What a test leaves open is destroyed at its end.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/sandbox.h"
#include "user32/message_log.h"
#include "user32/user32_test_ids.h"

// Returns true when it handled the message, with the result in *result.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *result)>;

class User32Test : public testing::Test {
 protected:
  static constexpr const char *WindowClass = "U32TestWindow";
  static constexpr DWORD PopupStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

  User32Test();
  ~User32Test() override;

  // A window of the test class (not shown).
  HWND CreateTestWindow(const char *title, HWND owner = nullptr, DWORD style = PopupStyle,
                        int x = 0, int y = 0, int width = 100, int height = 100);
  HWND CreateTestDialog(const char *templateName, HWND owner, LPARAM param = 0);
  INT_PTR RunTestDialog(const char *templateName, HWND owner, LPARAM param = 0);

  // Takes and dispatches messages until the queue is empty, offering each to IsDialogMessageA
  // for the dialog first. Returns false when it took a WM_QUIT (whose wParam is kept in quitCode).
  bool Pump(HWND dialog = nullptr);

  HINSTANCE Instance() const { return GetModuleHandleA(nullptr); }

  Handler onWindow;  // the test class's extra handling, before DefWindowProcA
  Handler
      onDialog;  // the dialog procedure's handling; unhandled: TRUE for WM_INITDIALOG, else FALSE
  WPARAM quitCode = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Sandbox sandbox_;
  std::vector<HWND> created_;
};

// Posts a key press and release to the window with the focus, as the keyboard would.
void PostKey(UINT virtualKey);
// Posts a left click at a point of a window's client area.
void PostClick(HWND window, int x, int y);
void PostClickAtCentre(HWND window);
// A click on item `index` of a list box (which must be scrolled so that it shows).
void PostClickOnItem(HWND listBox, int index);
