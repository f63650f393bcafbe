// The shared set-up of the run's tests, on both platforms.
#include "run/run_fixture.h"

#include "install/install_fonts.h"
#include "resource.h"
#include "run/run_host_double.h"
#include "shell/globals.h"

namespace {

constexpr const char *StandInClass = "QbRunStandIn";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FONTCHANGE) ReceivedBroadcasts().push_back({message, ""});
  if (message == WM_WININICHANGE) {
    ReceivedBroadcasts().push_back(
        {message, lParam != 0 ? reinterpret_cast<const char *>(lParam) : "<null>"});
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateStandIn() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.lpszClassName = StandInClass;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
  HWND window = CreateWindowExA(0, StandInClass, "", WS_POPUP, 10, 10, 300, 120, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, 10, 200, 16, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATFONT)),
                  GetModuleHandleA(NULL), NULL);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, 30, 200, 16, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATFILE)),
                  GetModuleHandleA(NULL), NULL);
  return window;
}

std::string DialogLine(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

}  // namespace

std::vector<SeenBroadcast> &ReceivedBroadcasts() {
  static std::vector<SeenBroadcast> received;
  return received;
}

RunTest::RunTest() { Start(); }

RunTest::~RunTest() { Stop(); }

void RunTest::FreshMachine() {
  Stop();
  Start();
}

void RunTest::Start() {
  sandbox_ = std::make_unique<Sandbox>();
  boxes_ = std::make_unique<MessageBoxWatch>();
  hInst = sandbox_->Instance();
  DeleteOriginals = 0;
  // Whatever an earlier test left in the table belonged to another machine.
  FontList = NULL;
  FontCount = 0;
  run_host::Reset();
  ReceivedBroadcasts().clear();
  dialog_ = CreateStandIn();
}

void RunTest::Stop() {
  if (dialog_ != NULL) DestroyWindow(dialog_);
  dialog_ = NULL;
  ReleaseFontList();
  DeleteOriginals = 0;
  boxes_.reset();
  sandbox_.reset();
}

void RunTest::AddFont(const std::string &fileName, const std::string &fontName,
                      const std::string &bytes, bool selected) {
  sandbox_->WriteFile(sandbox_->InProgramDir(fileName), bytes);
  AddRecord(fileName, fontName, static_cast<int>(bytes.size()), selected);
}

void RunTest::AddFontSized(const std::string &fileName, const std::string &fontName,
                           const std::string &bytes, int fileSize) {
  sandbox_->WriteFile(sandbox_->InProgramDir(fileName), bytes);
  AddRecord(fileName, fontName, fileSize);
}

void RunTest::AddRecord(const std::string &fileName, const std::string &fontName, int fileSize,
                        bool selected) {
  ASSERT_EQ(1, AppendFontItem(fileName.c_str(), fontName.c_str(), fileSize));
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  items[FontCount - 1].selected = selected ? 1 : 0;
  GlobalUnlock(FontList);
}

void RunTest::Run() {
  ASSERT_NE(static_cast<HWND>(NULL), dialog_);
  InstallFonts(dialog_);
  // Whatever the summary's own loop did not deliver yet.
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

FontItem RunTest::Record(int index) const {
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  FontItem item = items[index];
  GlobalUnlock(FontList);
  return item;
}

std::string RunTest::FontLine() const {
  return DialogLine(dialog_, IDC_STATFONT);
}
std::string RunTest::FileLine() const {
  return DialogLine(dialog_, IDC_STATFILE);
}

std::vector<SeenBroadcast> RunTest::Broadcasts() {
  return ReceivedBroadcasts();
}

void RunTest::ExpectBoxes(const std::vector<std::pair<std::string, UINT>> &expected) {
  std::vector<ShownMessageBox> shown = boxes_->Shown();
  ASSERT_EQ(expected.size(), shown.size());
  for (size_t i = 0; i < shown.size(); i++) {
    SCOPED_TRACE("message box " + std::to_string(i + 1) + ": " + shown[i].text);
    EXPECT_EQ(expected[i].first, shown[i].text);
    EXPECT_EQ(expected[i].second, shown[i].style);
    EXPECT_EQ(dialog_, shown[i].owner);
    EXPECT_EQ(AppCaption, shown[i].caption);
  }
}
