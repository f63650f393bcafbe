// The window manager tests' fixture and input helpers; see user32_fixture.h.
#include "user32/user32_fixture.h"

namespace {

User32Test *current = nullptr;

LPARAM KeyParam(UINT key, bool up) {
  UINT scan = key == VK_RETURN   ? 0x1C
              : key == VK_ESCAPE ? 0x01
              : key == VK_TAB    ? 0x0F
              : key == VK_SPACE  ? 0x39
                                 : 0;
  return (LPARAM)(1 | scan << 16 | (up ? 0xC0000000u : 0));
}

}  // namespace

User32Test::User32Test() {
  current = this;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = Instance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  windowClass.lpszClassName = WindowClass;
  RegisterClassA(
      &windowClass);  // fails harmlessly under Wine after the first test: it stays registered
}

User32Test::~User32Test() {
  // The handlers may refer to a derived fixture's members, which are gone by now.
  onWindow = nullptr;
  onDialog = nullptr;
  for (HWND hwnd : created_) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  current = nullptr;
}

HWND User32Test::CreateTestWindow(const char *title, HWND owner, DWORD style, int x, int y,
                                  int width, int height) {
  HWND hwnd = CreateWindowExA(0, WindowClass, title, style, x, y, width, height, owner, nullptr,
                              Instance(), nullptr);
  created_.push_back(hwnd);
  return hwnd;
}

HWND User32Test::CreateTestDialog(const char *templateName, HWND owner, LPARAM param) {
  HWND hwnd = CreateDialogParamA(Instance(), templateName, owner, &DialogProc, param);
  created_.push_back(hwnd);
  return hwnd;
}

INT_PTR User32Test::RunTestDialog(const char *templateName, HWND owner, LPARAM param) {
  return DialogBoxParamA(Instance(), templateName, owner, &DialogProc, param);
}

bool User32Test::Pump(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quitCode = msg.wParam;
      return false;
    }
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

LRESULT CALLBACK User32Test::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog::Record(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (current && current->onWindow && current->onWindow(hwnd, message, wParam, lParam, &result))
    return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK User32Test::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog::Record(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (current && current->onDialog && current->onDialog(hwnd, message, wParam, lParam, &result))
    return result;
  return message == WM_INITDIALOG;
}

void PostKey(UINT virtualKey) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, virtualKey, KeyParam(virtualKey, false));
  PostMessageA(focus, WM_KEYUP, virtualKey, KeyParam(virtualKey, true));
}

void PostClick(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostClickAtCentre(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  PostClick(window, client.right / 2, client.bottom / 2);
}

void PostClickOnItem(HWND listBox, int index) {
  RECT item;
  SendMessageA(listBox, LB_GETITEMRECT, index, (LPARAM)&item);
  PostClick(listBox, item.left + 2, (item.top + item.bottom) / 2);
}
