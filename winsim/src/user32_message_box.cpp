// The window and modal loop of MessageBoxA (whose record and queued answer are winsim's KERNEL32
// part). Like Windows' message box it is a modal dialog: the owner is disabled, the box is the
// owner's last active pop-up while open, and its loop dispatches what is queued, so a message
// handled there is never seen by an outer loop. When the queue runs dry the box answers.
#include "user32_internal.h"

namespace winsim::user32::internal {

namespace {

constexpr WORD TextId = 0xFFFF;

// Writes a DLGTEMPLATE the way windres lays one out.
class TemplateWriter {
 public:
  void Dword(DWORD value) {
    Word((WORD)(value & 0xFFFF));
    Word((WORD)(value >> 16));
  }
  void Word(WORD value) {
    bytes_.push_back((BYTE)(value & 0xFF));
    bytes_.push_back((BYTE)(value >> 8));
  }
  void String(const std::string &text) {
    for (char c : text) Word((BYTE)c);
    Word(0);
  }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classOrdinal,
               const std::string &text) {
    Align();
    Dword(style);
    Dword(0);
    Word((WORD)x);
    Word((WORD)y);
    Word((WORD)cx);
    Word((WORD)cy);
    Word(id);
    Word(0xFFFF);
    Word(classOrdinal);
    String(text);
    Word(0);
  }
  const std::vector<BYTE> &Bytes() const { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

struct Button {
  WORD id;
  const char *text;
};

std::vector<Button> ButtonsOf(UINT style) {
  switch (style & MB_TYPEMASK) {
    case MB_OK:
      return {{IDOK, "OK"}};
    case MB_OKCANCEL:
      return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
  }
  detail::Unsupported("MessageBoxA: buttons other than MB_OK and MB_OKCANCEL");
}

std::vector<BYTE> BuildTemplate(const MessageBoxRecord &record,
                                const std::vector<Button> &buttons) {
  short width = (short)(40 + 4 * record.text.size());
  if (width > 280) width = 280;
  if (width < 60 * (short)buttons.size() + 20) width = (short)(60 * buttons.size() + 20);
  TemplateWriter writer;
  writer.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG);
  writer.Dword(0);
  writer.Word((WORD)(1 + buttons.size()));
  writer.Word(0);
  writer.Word(0);
  writer.Word((WORD)width);
  writer.Word(62);
  writer.Word(0);  // no menu
  writer.Word(0);  // the dialog class
  writer.String(record.caption);
  writer.Control(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 10, 10, (short)(width - 20), 24,
                 TextId, 0x82, record.text);
  for (size_t i = 0; i < buttons.size(); i++) {
    DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
    writer.Control(style, (short)(width - 60 * (buttons.size() - i)), 42, 50, 14, buttons[i].id,
                   0x80, buttons[i].text);
  }
  return writer.Bytes();
}

}  // namespace

int RunMessageBox(HWND owner, const MessageBoxRecord &record, int answer) {
  if (answer == 0) return 0;  // the test made MessageBoxA fail
  if (record.style & ~(UINT)(MB_TYPEMASK | 0xF0))
    detail::Unsupported("MessageBoxA: default button or modality flags");
  std::vector<Button> buttons = ButtonsOf(record.style);
  auto offers = [&](int id) {
    for (const Button &button : buttons) {
      if (button.id == id) return true;
    }
    return false;
  };
  std::vector<BYTE> bytes = BuildTemplate(record, buttons);
  HWND modalOwner = owner;
  HWND box = nullptr;
  InternalDialogProc proc = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && offers(LOWORD(wParam))) {
      DialogEnd(hwnd, LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  };
  box = CreateDialogFromTemplate(nullptr, bytes.data(), bytes.size(), owner, nullptr, 0,
                                 &modalOwner, proc);
  if (!box) return 0;
  ShowWindowNow(box, SW_SHOWNORMAL);
  Desk &d = TheDesk();
  d.modalDepth++;
  if (d.messageBoxHook && Find(box)) {
    auto hook = d.messageBoxHook;
    hook(box, record);  // the test's doing: its calls are not recorded as the program's
  }
  INT_PTR result = RunModalLoop(box, [&] {
    // The person reads the box and answers with the queued answer.
    if (!offers(answer))
      detail::Unsupported("MessageBoxA: a queued answer that the box does not offer");
    DialogEnd(box, answer);
  });
  TheDesk().modalDepth--;
  return (int)result;
}

}  // namespace winsim::user32::internal
