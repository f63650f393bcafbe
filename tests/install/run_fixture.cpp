// The shared set-up of the run's host tests.
#include "install/run_fixture.h"

#include "install/install_fonts.h"
#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "shell/globals.h"

namespace {

constexpr const char *StandInClass = "QbRunStandIn";

std::vector<std::pair<UINT, std::string>> received;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FONTCHANGE || message == WM_WININICHANGE)
    received.push_back({message, lParam != 0 ? reinterpret_cast<const char *>(lParam) : ""});
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RunTest::Start() {
  sandbox_ = std::make_unique<Sandbox>();
  boxes_ = std::make_unique<MessageBoxWatch>();
  hInst = sandbox_->Instance();
  DeleteOriginals = 0;
  StatStopped = 0;
  // Whatever an earlier test left in the table belonged to another machine.
  FontList = NULL;
  FontCount = 0;
  received.clear();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.lpszClassName = StandInClass;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
  dialog_ = CreateWindowExA(0, StandInClass, "", WS_POPUP, 10, 10, 300, 120, NULL, NULL,
                            GetModuleHandleA(NULL), NULL);
  for (int id : {RunFontLine, RunFileLine}) {
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 40, id == RunFontLine ? 10 : 30, 200, 16, dialog_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(NULL),
                    NULL);
  }
}

void RunTest::Stop() {
  DestroyWindow(dialog_);
  ReleaseFontList();
  DeleteOriginals = 0;
  boxes_.reset();
  sandbox_.reset();
}

void RunTest::FreshMachine() {
  Stop();
  Start();
}

void RunTest::AddFont(const std::string &fileName, const std::string &fontName,
                      const std::string &bytes, int claimedSize) {
  sandbox_->WriteFile(sandbox_->InProgramDir(fileName), bytes);
  AddRecord(fileName, fontName, claimedSize >= 0 ? claimedSize : static_cast<int>(bytes.size()));
}

void RunTest::AddRecord(const std::string &fileName, const std::string &fontName, int fileSize,
                        bool selected) {
  ASSERT_EQ(1, AppendFontItem(fileName.c_str(), fontName.c_str(), fileSize));
  static_cast<FontItem *>(GlobalLock(FontList))[FontCount - 1].selected = selected ? 1 : 0;
  GlobalUnlock(FontList);
}

void RunTest::Run() {
  ASSERT_NE(static_cast<HWND>(NULL), dialog_);
  InstallFonts(dialog_);
  // Whatever the run's last pump left queued.
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

std::string RunTest::Line(int id) const {
  char text[256] = "";
  GetDlgItemTextA(dialog_, id, text, sizeof text);
  return text;
}

std::vector<std::pair<UINT, std::string>> RunTest::Broadcasts() const {
  return received;
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
