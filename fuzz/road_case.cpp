// Runs one case: a fresh machine laid out as the case says, the loader, the user's selection, the
// installation run with the case's answers and fault, and then the checks of road_check.cpp.
#include <windows.h>

#include <winsim/sim.h>

#include <map>
#include <memory>

#include "catalog/font_table.h"
#include "catalog/list_loader.h"
#include "install/install_fonts.h"
#include "install/run_host.h"
#include "install/stat_dialog.h"
#include "road_world.h"
#include "shell/globals.h"

namespace {

// Lays a file on the case's drive where a name allows it (CanCreate and CanWriteKey choose).
void WriteFile(const std::string &winPath, const std::string &bytes) {
  winsim::WriteDriveFile(winPath, bytes);
}

// The bytes of a font file: a TrueType table directory with head and name tables, which is all
// winsim asks of a font, then a pattern that differs from line to line so that a copy of the
// wrong file shows. Size class 0 is an empty file, which is no font.
std::string MakeFontBytes(int sizeClass, int line) {
  static const size_t base[] = {0, 44, 600, 16385};
  static const size_t spread[] = {1, 400, 3000, 4000};
  size_t size =
      sizeClass == 0 ? 0 : base[sizeClass] + (static_cast<size_t>(line) * 613) % spread[sizeClass];
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; i++) bytes[i] = static_cast<char>(i * 7 + line * 31 + i / 251);
  if (size == 0) return bytes;
  const char header[44] = {0,   1,   0, 0, 0, 2, 0, 0, 0,  0,  0, 0, 'h', 'e', 'a',
                           'd', 0,   0, 0, 0, 0, 0, 0, 44, 0,  0, 0, 0,   'n', 'a',
                           'm', 'e', 0, 0, 0, 0, 0, 0, 0,  44, 0, 0, 0,   0};
  bytes.replace(0, 44, header, 44);
  return bytes;
}

// The same bytes, made once per process for the first lines (most cases have only a few).
const std::string &FontBytes(int sizeClass, int line) {
  constexpr int CachedLines = 256;
  static std::map<int, std::string> made;
  static std::string later;
  if (line >= CachedLines) return later = MakeFontBytes(sizeClass, line);
  auto found = made.find(sizeClass * CachedLines + line);
  if (found == made.end())
    found = made.emplace(sizeClass * CachedLines + line, MakeFontBytes(sizeClass, line)).first;
  return found->second;
}

// Whether a name can be laid into dir as a file of exactly that name.
bool CanCreate(const std::string &dir, const std::string &name) {
  if (name.empty() || name.size() > 15 || name.back() == '.' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
      return false;
    }
  }
  return winsim::FullPath(dir + name) == dir + name && dir.size() + name.size() < MAX_PATH;
}

// A key the case may write into WIN.INI beforehand: one that reads back as itself. A line break
// in it would start a line of its own (one beginning with '[' passes for a section header here).
bool CanWriteKey(const std::string &key) {
  return !key.empty() && key[0] != '[' && key.find_first_of("=\r\n") == std::string::npos;
}

void ArmFault(const RoadInput &input) {
  winsim::Times times = input.faultFromThenOn ? winsim::Times::FromThenOn : winsim::Times::Once;
  int nth = input.faultNth;
  switch (input.fault) {
    case RoadFault::None:
      break;
    case RoadFault::Allocation:
      winsim::FailAllocation(nth, times);
      break;
    case RoadFault::Open:
      winsim::FailFileCall(winsim::FileCall::Open, nth, times);
      break;
    case RoadFault::Create:
      winsim::FailFileCall(winsim::FileCall::Create, nth, times);
      break;
    case RoadFault::Read:
      winsim::FailFileCall(winsim::FileCall::Read, nth, times);
      break;
    case RoadFault::Write:
      winsim::FailFileCall(winsim::FileCall::Write, nth, times);
      break;
    case RoadFault::Close:
      winsim::FailFileCall(winsim::FileCall::Close, nth, times);
      break;
    case RoadFault::Delete:
      winsim::FailFileCall(winsim::FileCall::Delete, nth, times);
      break;
    case RoadFault::ProfileWrite:
      winsim::FailProfileWrite(nth, times);
      break;
    case RoadFault::ProfileRead:
      winsim::FailProfileRead(nth, times);
      break;
    case RoadFault::CreateResource:
      winsim::FailCreateScalableFontResource(nth, times);
      break;
    case RoadFault::AddResource:
      winsim::FailAddFontResource(nth, times);
      break;
    case RoadFault::Count:
      break;
  }
}

// The progress dialog's stand-in: a top-level window with the run's two text lines.
HWND CreateStandIn() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.lpszClassName = "QbRoadStandIn";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "QbRoadStandIn", "", WS_POPUP, 10, 10, 300, 120, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
  for (int id : {RunFontLine, RunFileLine}) {
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, id == RunFontLine ? 10 : 30, 200,
                    16, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    GetModuleHandleA(NULL), NULL);
  }
  return window;
}

void SelectRecords(const RoadInput &input) {
  FontItem *items = static_cast<FontItem *>(GlobalLock(FontList));
  for (int i = 0; i < FontCount; i++) items[i].selected = (input.lineFlags[i % 16] & 0x10) ? 1 : 0;
  GlobalUnlock(FontList);
}

}  // namespace

// Starts the case's machine on an empty drive; it ends with the returned guard. The drive lives
// in memory: a case lays out and checks a few dozen files, thousands of times a second.
std::unique_ptr<winsim::Machine> LayOutMachine(RoadWorld &world) {
  const RoadInput &input = world.input;
  auto machine = std::make_unique<winsim::Machine>(winsim::InMemory{});
  std::string system = input.deepSystem ? "C:\\" + std::string(111, 'S') : "C:\\WINDOWS\\SYSTEM";
  winsim::SetSystemDirectory(input.systemBackslash ? system + "\\" : system);
  world.systemDir = system + "\\";
  world.programDir = input.programInSystem ? world.systemDir
                     : input.deepProgram   ? "C:\\" + std::string(111, 'P') + "\\"
                                           : "C:\\QB\\";
  winsim::SetModulePath(world.programDir + "QUILLBOX.EXE");

  std::string winIni = "[windows]\r\nload=\r\nrun=\r\n\r\n; fonts follow\r\n";
  if (!input.noFontsSection) winIni += "[Fonts]\r\nArial (TrueType)=ARIAL.FOT\r\n";
  winIni += "[Colors]\r\nBackground=0 128 128\r\n";
  WriteFile("C:\\WINDOWS\\WIN.INI", winIni);
  WriteFile(world.programDir + "Quillbox.Lst", input.list);

  for (size_t n = 0; n < world.lines.size(); n++) {
    const ListLine &line = world.lines[n];
    unsigned flags = input.lineFlags[n % 16];
    // A font file of the list file's own name would replace the list (the check of the loader's
    // answer goes by the list as the case gives it).
    if ((flags & 0x01) && CanCreate(world.programDir, line.fileName) &&
        UpperName(line.fileName) != "QUILLBOX.LST") {
      WriteFile(world.programDir + line.fileName, FontBytes(flags >> 6, static_cast<int>(n)));
    }
    std::string resource = ResourceNameOf(line.fileName);
    if ((flags & 0x02) && !line.fileName.empty() && CanCreate(world.systemDir, resource)) {
      WriteFile(world.systemDir + resource, "an earlier resource");
    }
    unsigned key = (flags >> 2) & 3;
    if ((key == 1 || key == 2) && line.hasFontName && CanWriteKey(line.fontName)) {
      WriteProfileStringA("Fonts", line.fontName.c_str(), key == 1 ? "OLD.FOT" : "");
    }
  }
  return machine;
}

RoadOutcome RunRoad(const RoadInput &input) {
  RoadWorld world;
  world.input = input;
  world.lines = SplitListLines(world.input.list);
  std::unique_ptr<winsim::Machine> machine = LayOutMachine(world);

  hInst = winsim::ModuleHandle();
  FontList = NULL;
  FontCount = 0;
  DeleteOriginals = world.input.deleteOriginals ? 1 : 0;
  runHost = RunHostRecord();
  runHost.stopAtPump = world.input.stopAtPump;
  StatStopped = 0;
  HWND dialog = CreateStandIn();
  for (int answer : world.input.answers) winsim::QueueMessageBoxAnswer(answer);
  const Snapshot before = TakeSnapshot(world);

  RoadOutcome outcome;
  ArmFault(world.input);
  int loaded = LoadFontList();
  CheckLoader(world, loaded, before, world.input.fault != RoadFault::None);
  CheckNothingLeft(world, FontCount > 0 ? 1 : 0);

  if (loaded == 1) {
    SelectRecords(world.input);
    std::vector<TableRow> table = ReadTable();
    size_t firstBox = winsim::MessageBoxes().size();
    InstallFonts(dialog);
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    outcome.faultsFired = winsim::FaultsFired();
    winsim::ClearFaults();
    world.boxesAtPump = runHost.boxesAtPump;
    world.percents = runHost.percents;
    world.captures = runHost.captures;
    if (winsim::MessageBoxes().size() > firstBox)
      outcome.summary = winsim::MessageBoxes().back().text;
    CheckRun(world, table, before, firstBox);
    CheckNothingLeft(world, 1);
  } else {
    outcome.faultsFired = winsim::FaultsFired();
  }
  ReleaseFontList();
  if (winsim::LiveBlocks() != 0) world.Fail("a memory block outlives the table");
  DestroyWindow(dialog);
  machine.reset();
  outcome.failures = world.failures;
  return outcome;
}

std::string CheckRoadCase(const uint8_t *data, size_t size) {
  return RunRoad(DecodeRoadInput(data, size)).failures;
}
