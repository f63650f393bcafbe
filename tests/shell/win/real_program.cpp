// Starting and watching the real program under Wine; see real_program.h.
#include "shell/win/real_program.h"

#include "common/sandbox.h"

namespace {

bool CopyBytes(const std::string &from, const std::string &to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool WriteText(const std::string &path, const std::string &text) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
  CloseHandle(file);
  return ok && written == text.size();
}

struct DialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindDialogOf(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<DialogSearch *>(param);
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (GetWindow(window, GW_OWNER) == search->owner && lstrcmpA(className, "#32770") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string BuiltProgramPath() {
  std::string path = std::string("Z:") + QB_QUILLBOX_EXE;
  for (char &c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool PrepareProgramFolder(const std::string &dir) {
  if (!CopyBytes(BuiltProgramPath(), dir + "Quillbox.exe")) return false;
  std::string fonts[] = {Sandbox::RealFont(0), Sandbox::RealFont(1)};
  if (fonts[0].empty() || fonts[1].empty()) return false;
  return WriteText(dir + "QBSANS.TTF", fonts[0]) && WriteText(dir + "QBSERIF.TTF", fonts[1]) &&
         WriteText(dir + "Quillbox.Lst",
                   "QBSANS.TTF Quillbox Test Sans\r\nQBSERIF.TTF Quillbox Test Serif\r\n");
}

RealProgram::~RealProgram() {
  if (!process_.hProcess) return;
  if (Running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool RealProgram::Start(const std::string &dir, const std::string &tail, int showCommand) {
  std::string program = dir + "Quillbox.exe";
  std::string commandLine = "\"" + program + "\"" + tail;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  return CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, dir.c_str(),
                        &startup, &process_) != 0;
}

int RealProgram::WaitForExit(DWORD milliseconds) {
  if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

bool RealProgram::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND FindOwnerWindow() {
  return FindWindowA("FontWind", "TrueType Fonts Installation");
}

HWND FindOwnedDialog(HWND owner) {
  DialogSearch search = {owner, NULL};
  if (owner) EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
