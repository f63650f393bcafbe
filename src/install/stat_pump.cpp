// The run's pacing pump: for 500 ms before each font it dispatches every message of the thread,
// so the dialog stays responsive and a click on Cancel can stop the run.
#include "install/run_host.h"
#include "install/stat_dialog.h"

namespace {

constexpr DWORD PumpMilliseconds = 500;

}  // namespace

int PumpMessages(HWND) {
  // A stop that came while the run was busy (inside a message box's loop, say) ends it here.
  if (StatStopped) return 0;
  DWORD start = GetTickCount();
  MSG message;
  // Polls without waiting; the unsigned difference stays right across the tick count's wrap.
  do {
    if (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Someone asked the program to end: leave the request for the main loop, and stop the
        // run rather than spin on a quit message the loops above would take again at once.
        PostQuitMessage(static_cast<int>(message.wParam));
        return 0;
      }
      DispatchMessageA(&message);
      if (StatStopped) return 0;
    }
  } while (GetTickCount() - start < PumpMilliseconds);
  return 1;
}
