// The Windows half of the stat fixture: the thread's windows, enumerated.
#include "resource.h"
#include "stat/stat_fixture.h"

namespace {

struct FindData {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM lParam) {
  FindData *data = reinterpret_cast<FindData *>(lParam);
  // Message boxes are owned dialogs too, but carry no bar.
  if (GetParent(window) == data->owner && GetDlgItem(window, IDC_PROGRESS) != NULL) {
    data->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindOwnedStatDialog(HWND owner) {
  FindData data = {owner, NULL};
  EnumThreadWindows(GetCurrentThreadId(), MatchOwned, reinterpret_cast<LPARAM>(&data));
  return data.found;
}
