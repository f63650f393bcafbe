// The installation run: every selected candidate in table order, each preceded by the host's
// pump, the bar advanced after each handled font, and at the end the system told and a summary.
#include "install/install_fonts.h"

#include "catalog/directories.h"
#include "catalog/font_table.h"
#include "catalog/shared_texts.h"
#include "install/install_font_item.h"
#include "install/run_host.h"

namespace {

constexpr UINT BroadcastTimeout = 5000;  // milliseconds a window may take to answer

// The run's counters. Sizes are added up in 64 bits so that many large files cannot overflow.
struct RunProgress {
  long long totalBytes;  // size of every selected font, counted before the first
  long long doneBytes;   // size of the fonts handled so far, installed or passed over
  int selectedFonts;     // number of selected fonts
  int handledFonts;      // number of them handled so far
};

// The share handled, in percent rounded half up. When every selected file is empty the bytes say
// nothing, and the share of fonts handled is shown instead.
int ProgressPercent(const RunProgress &progress) {
  double share = 0.0;
  if (progress.totalBytes > 0) {
    share = progress.doneBytes * 100.0 / progress.totalBytes;
  } else if (progress.selectedFonts > 0) {
    share = progress.handledFonts * 100.0 / progress.selectedFonts;
  }
  int percent = static_cast<int>(share + 0.5);
  if (percent < 0) return 0;
  if (percent > 100) return 100;
  return percent;
}

// Tells the user how many fonts are now available, and every top-level window that the font
// table and WIN.INI changed when there is something new.
void ShowSummary(HWND hDlg, int newFonts) {
  if (newFonts == 0) {
    MessageBoxA(hDlg, "No new fonts were installed.", AppCaption, MB_ICONINFORMATION);
    return;
  }
  // Sent, not posted: Windows refuses to post WM_WININICHANGE, whose lParam points to text
  // (ERROR_MESSAGE_SYNC_ONLY), and sending both keeps WM_FONTCHANGE first for every receiver.
  // A window that does not answer is not waited for.
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, BroadcastTimeout,
                      NULL);
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(FontsSection),
                      SMTO_ABORTIFHUNG, BroadcastTimeout, NULL);
  CHAR message[PathSize];
  wsprintfA(message,
            newFonts == 1 ? "%d new TrueType font is now available."
                          : "%d new TrueType fonts are now available.",
            newFonts);
  MessageBoxA(hDlg, message, AppCaption, MB_ICONINFORMATION);
}

}  // namespace

void InstallFonts(HWND hDlg) {
  CaptureStatBar(hDlg);

  RunProgress progress = {0, 0, 0, 0};
  int newFonts = 0;
  // The table stays locked for the whole run, through every pump and message box.
  FontItem *items = FontList != NULL ? static_cast<FontItem *>(GlobalLock(FontList)) : NULL;
  int count = items != NULL ? FontCount : 0;
  for (int i = 0; i < count; i++) {
    if (!items[i].selected) continue;
    progress.totalBytes += items[i].fileSize;
    progress.selectedFonts++;
  }

  for (int i = 0; i < count; i++) {
    if (!items[i].selected) continue;
    if (!PumpMessages(hDlg)) break;
    int added = 0;
    if (!InstallFontItem(hDlg, &items[i], &added)) break;
    newFonts += added;
    progress.doneBytes += items[i].fileSize;
    progress.handledFonts++;
    UpdateStatBar(hDlg, ProgressPercent(progress));
  }

  if (items != NULL) GlobalUnlock(FontList);
  ShowSummary(hDlg, newFonts);
}
