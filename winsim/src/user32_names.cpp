// Names of the messages the window manager deals in, for records that a person reads.
#include "user32_internal.h"

#include <cstdio>

namespace winsim::user32::internal {

std::string MessageName(UINT message) {
  static const struct {
    UINT message;
    const char *name;
  } names[] = {
      {WM_NULL, "WM_NULL"},
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},
      {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_QUIT, "WM_QUIT"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_WININICHANGE, "WM_WININICHANGE"},
      {WM_FONTCHANGE, "WM_FONTCHANGE"},
      {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_GETDLGCODE, "WM_GETDLGCODE"},
      {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},
      {WM_INITDIALOG, "WM_INITDIALOG"},
      {WM_COMMAND, "WM_COMMAND"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {BM_GETCHECK, "BM_GETCHECK"},
      {BM_SETCHECK, "BM_SETCHECK"},
      {BM_GETSTATE, "BM_GETSTATE"},
      {BM_SETSTATE, "BM_SETSTATE"},
      {BM_SETSTYLE, "BM_SETSTYLE"},
      {BM_CLICK, "BM_CLICK"},
      {LB_ADDSTRING, "LB_ADDSTRING"},
      {LB_SETSEL, "LB_SETSEL"},
      {LB_GETSEL, "LB_GETSEL"},
      {LB_GETTEXT, "LB_GETTEXT"},
      {LB_GETCOUNT, "LB_GETCOUNT"},
      {LB_GETSELCOUNT, "LB_GETSELCOUNT"},
      {LB_SELITEMRANGE, "LB_SELITEMRANGE"},
      {LB_SETTOPINDEX, "LB_SETTOPINDEX"},
      {DM_GETDEFID, "DM_GETDEFID"},
      {DM_SETDEFID, "DM_SETDEFID"},
  };
  for (const auto &entry : names) {
    if (entry.message == message) return entry.name;
  }
  char buffer[32];
  if (message >= WM_USER) {
    std::snprintf(buffer, sizeof buffer, "WM_USER+%u", message - WM_USER);
  } else {
    std::snprintf(buffer, sizeof buffer, "message %#x", message);
  }
  return buffer;
}

}  // namespace winsim::user32::internal
