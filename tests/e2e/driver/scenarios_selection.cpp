// Leaving the selection dialog without installing by what only the real window manager offers:
// the frame's close box and Alt+F4. Choosing, the buttons, the keys, the delete option and the
// command line are checked on both platforms by the dial and shell suites.
#include "broadcast.h"
#include "input.h"
#include "report.h"
#include "scenario.h"
#include "scene.h"
#include "screen.h"
#include "steps.h"

void LeaveWithoutInstalling() {
  const std::vector<FontLine> fonts = {{"ALDER.TTF", "Alder Mono", 6}};
  if (!SetScene(fonts)) return;
  struct Way {
    const char *context;
    void (*leave)(HWND dialog);
  };
  const Way ways[] = {
      {"the close box", [](HWND dialog) { ClickFrame(dialog, HTCLOSE); }},
      {"Alt+F4", [](HWND) { PressKeyWith(VK_MENU, VK_F4); }},
  };
  std::string winIni = WinIni();
  for (const Way &way : ways) {
    Note("case: %s, with a font selected", way.context);
    StartListening();
    Program program;
    HWND dialog = OpenSelection(program);
    if (!dialog) return;
    ClickItems(dialog, {"Alder Mono"});
    ExpectSelection(dialog, {"Alder Mono"});
    way.leave(dialog);
    Expect(WaitGone(dialog, 5000), "the selection dialog closes", "");
    Expect(FindSeen(program.pid, Seen::Progress) == nullptr, "no progress dialog appeared", "");
    ExpectExit(program, 0);
    ExpectNotInstalled(fonts[0]);
    ExpectSourceKept(fonts[0], true);
    Expect(WinIni() == winIni, "WIN.INI is unchanged", "");
    std::vector<std::string> heard = TakeBroadcasts();
    Expect(heard.empty(), "nothing was broadcast", Listed(heard));
  }
}
