// The host half of the stat fixture: winsim lists its top-level windows.
#include "resource.h"
#include "stat/stat_fixture.h"
#include "winsim/user32_sim.h"

HWND FindOwnedStatDialog(HWND owner) {
  for (HWND window : winsim::user32::TopLevelWindows()) {
    if (GetParent(window) == owner && GetDlgItem(window, IDC_PROGRESS) != NULL) return window;
  }
  return NULL;
}
