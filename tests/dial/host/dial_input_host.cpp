// Input on the host: winsim posts what the mouse and keyboard would to the thread's queue, where
// the test's loop, like the program's, takes it through IsDialogMessageA.
#include "dial/dial_input.h"

#include "winsim/user32_sim.h"

// Showing a window activates it already.
void BringToFront(HWND) {}

bool ClickControl(HWND control) {
  return winsim::user32::Click(control);
}

bool ClickListItem(HWND listBox, int index) {
  return winsim::user32::ClickListItem(listBox, index);
}

void PressKey(UINT virtualKey) {
  winsim::user32::PressKey(virtualKey);
}

void WaitForInput() {}
