// The fault matrix across the whole road, SQLite style: for each kind of call the program makes
// on its way from the list file to the installed fonts (allocations, file opens, creates, reads,
// writes, closes and deletes, WIN.INI reads and writes, font resource creation and addition), the
// nth call fails for n = 1, 2, ... until a run passes without the fault firing; once the nth only,
// once every one from the nth on, and once the nth only with its message answered Cancel. After
// each run: the right message or none, nothing left open, locked, allocated or on the screen,
// every font either installed whole or reported, and nothing touched outside the font at hand.
#include <gtest/gtest.h>
#include <winsim/identity_sim.h>
#include <winsim/user32_sim.h>

#include <algorithm>
#include <cstdio>

#include "faults/host/road_fixture.h"
#include "shell/globals.h"

namespace {

using winsim::Times;

constexpr const char *NotFound = "The file 'quillbox.lst' is not found or incorrect.";
constexpr const char *NoMemory = "Available memory is not enough.";
constexpr const char *NoFonts = "There are no font files.";
constexpr const char *AllInstalled = "All additional TrueType fonts are already installed.";

// Which failure message of the run a fault may lead to, by the check that reports it.
enum RunMessage { CopyMessage = 1, ResourceMessage = 2, InstallMessage = 4 };

struct FaultKind {
  const char *name;
  void (*arm)(int nth, Times times);
  // The loader's messages this fault may cause (when it fires once, and from then on); null ends.
  std::vector<const char *> loaderOnce;
  std::vector<const char *> loaderFromThenOn;
  int runMessages;  // RunMessage bits: what the run may report
};

void FailFile(winsim::FileCall call, int nth, Times times) {
  winsim::FailFileCall(call, nth, times);
}

const FaultKind Kinds[] = {
    // A copy buffer that cannot be had is replaced by a smaller one: never a failure of the run.
    // Refused from the second on, every record's growth fails: all found, none offered.
    {"allocation", winsim::FailAllocation, {NoMemory}, {NoMemory, AllInstalled}, 0},
    {"open",
     [](int n, Times t) { FailFile(winsim::FileCall::Open, n, t); },
     {NotFound},
     {NotFound, NoFonts},
     CopyMessage},
    {"create",
     [](int n, Times t) { FailFile(winsim::FileCall::Create, n, t); },
     {},
     {},
     CopyMessage},
    {"short read",
     [](int n, Times t) { FailFile(winsim::FileCall::Read, n, t); },
     {NotFound},
     {NotFound},
     CopyMessage},
    {"short write",
     [](int n, Times t) { FailFile(winsim::FileCall::Write, n, t); },
     {},
     {},
     CopyMessage},
    // Only the destination's close counts for the copy; the loader and the measuring ignore it.
    {"close", [](int n, Times t) { FailFile(winsim::FileCall::Close, n, t); }, {}, {}, CopyMessage},
    {"delete", [](int n, Times t) { FailFile(winsim::FileCall::Delete, n, t); }, {}, {}, 0},
    {"profile write", winsim::FailProfileWrite, {}, {}, InstallMessage},
    // An unreadable WIN.INI makes the installed font look new: it is offered, and either refused
    // by the run's own look at WIN.INI or installed again under the same name.
    {"profile read", winsim::FailProfileRead, {}, {}, InstallMessage},
    {"font resource creation", winsim::FailCreateScalableFontResource, {}, {}, ResourceMessage},
    {"font resource addition", winsim::FailAddFontResource, {}, {}, InstallMessage},
};

struct Mode {
  const char *name;
  Times times;
  int firstAnswer;
};
const Mode Modes[] = {{"once", Times::Once, IDOK},
                      {"from then on", Times::FromThenOn, IDOK},
                      {"once, answered Cancel", Times::Once, IDCANCEL}};

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

const std::string *Find(const std::map<std::string, std::string> &files, const std::string &name) {
  for (const auto &file : files) {
    if (Upper(file.first) == Upper(name)) return &file.second;
  }
  return nullptr;
}

std::string FontsValue(const std::string &key) {
  char value[128];
  GetProfileStringA("Fonts", key.c_str(), "", value, sizeof value);
  return value;
}

// What became of one font of the road.
struct FontFate {
  const RoadFont *font;
  bool offered = false;
  int reports = 0;       // failure boxes naming it
  int messageKinds = 0;  // RunMessage bits of those boxes
  bool cancelledAt = false;
  bool afterCancel = false;
  bool installed = false;  // offered, reached, and not reported
};

bool Names(const std::string &text, const RoadFont &font, int *kind) {
  if (text == "Cannot copy the font file '" + font.fileName + "'.")
    *kind = CopyMessage;
  else if (text == "Cannot create the resource file '" + Upper(font.Resource()) + "'.")
    *kind = ResourceMessage;
  else if (text == "Cannot install the font '" + font.fontName + "'.")
    *kind = InstallMessage;
  else
    return false;
  return true;
}

// The loader's part: one box and no dialog, or no box and the dialog with what could be read.
void CheckLoading(const RoadOutcome &outcome, const FaultKind &kind, const Mode &mode) {
  std::vector<winsim::MessageBoxRecord> loaderBoxes;
  for (const winsim::MessageBoxRecord &box : outcome.boxes) {
    if (box.owner == nullptr) loaderBoxes.push_back(box);
  }
  const std::vector<const char *> &allowed =
      mode.times == Times::Once ? kind.loaderOnce : kind.loaderFromThenOn;
  if (!outcome.dialogShown) {
    ASSERT_EQ(1u, loaderBoxes.size()) << "no dialog, so the loader must say why";
    ASSERT_EQ(loaderBoxes.size(), outcome.boxes.size());
    const winsim::MessageBoxRecord &box = loaderBoxes[0];
    EXPECT_TRUE(std::find_if(allowed.begin(), allowed.end(),
                             [&](const char *text) { return box.text == text; }) != allowed.end())
        << "the loader said " << box.text;
    UINT icon = box.text == NoFonts        ? MB_ICONWARNING
                : box.text == AllInstalled ? MB_ICONINFORMATION
                                           : MB_ICONERROR;
    EXPECT_EQ(MB_OK | icon, box.style);
    EXPECT_GT(outcome.faultsBeforeDialog, 0);
    return;
  }
  EXPECT_TRUE(loaderBoxes.empty()) << loaderBoxes[0].text;
  // A fault while loading may drop the line it hit, silently; a once fault one line at most.
  size_t offeredRoadFonts = 0;
  for (const RoadFont &font : RoadFonts) {
    offeredRoadFonts += std::count(outcome.offered.begin(), outcome.offered.end(), font.fontName);
  }
  if (outcome.faultsBeforeDialog == 0) {
    EXPECT_EQ(3u, offeredRoadFonts);
  }
  if (mode.times == Times::Once) {
    EXPECT_GE(offeredRoadFonts, 2u);
  }
  for (const std::string &name : outcome.offered) {
    bool known = name == InstalledFont.fontName && std::string(kind.name) == "profile read";
    for (const RoadFont &font : RoadFonts) known = known || name == font.fontName;
    EXPECT_TRUE(known) << "offered " << name;
  }
}

// The run's part: each offered font is installed whole or reported in one box of the kind this
// fault can cause; a Cancel ends the run there; the summary counts what was installed.
std::vector<FontFate> CheckRun(const RoadOutcome &outcome, const FaultKind &kind,
                               const Mode &mode) {
  std::vector<FontFate> fates;
  for (const RoadFont *font : {&RoadFonts[0], &InstalledFont, &RoadFonts[1], &RoadFonts[2]}) {
    FontFate fate;
    fate.font = font;
    fate.offered = std::count(outcome.offered.begin(), outcome.offered.end(), font->fontName) > 0;
    fates.push_back(fate);
  }
  if (!outcome.dialogShown) return fates;
  std::vector<winsim::MessageBoxRecord> runBoxes;
  for (const winsim::MessageBoxRecord &box : outcome.boxes) {
    if (box.owner != nullptr) runBoxes.push_back(box);
    EXPECT_EQ(AppCaption, box.caption);
  }
  if (runBoxes.empty()) {
    ADD_FAILURE() << "no summary";
    return fates;
  }
  bool cancelled = false;
  for (size_t i = 0; i + 1 < runBoxes.size(); i++) {
    const winsim::MessageBoxRecord &box = runBoxes[i];
    EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING | MB_OKCANCEL), box.style) << box.text;
    EXPECT_FALSE(cancelled) << "a box after Cancel: " << box.text;
    bool named = false;
    for (FontFate &fate : fates) {
      int message = 0;
      if (!Names(box.text, *fate.font, &message)) continue;
      named = true;
      EXPECT_TRUE(fate.offered) << box.text;
      fate.reports++;
      fate.messageKinds |= message;
      // The installed font is refused by the run's own look at WIN.INI when it was offered.
      bool allowed = (kind.runMessages & message) != 0 || fate.font == &InstalledFont;
      EXPECT_TRUE(allowed) << "a " << kind.name << " fault cannot lead to: " << box.text;
    }
    EXPECT_TRUE(named) << box.text;
    bool isFirstBox = &box == &runBoxes[0] && outcome.boxes.front().owner != nullptr;
    if (mode.firstAnswer == IDCANCEL && isFirstBox) {
      cancelled = true;
      for (FontFate &fate : fates) fate.cancelledAt = fate.reports > 0;
    }
  }
  bool passedCancel = false;
  int installed = 0;
  for (FontFate &fate : fates) {
    EXPECT_LE(fate.reports, 1) << fate.font->fontName << " reported twice";
    fate.afterCancel = passedCancel;
    passedCancel = passedCancel || fate.cancelledAt;
    fate.installed = fate.offered && fate.reports == 0 && !fate.afterCancel;
    installed += fate.installed ? 1 : 0;
  }
  if (mode.times == Times::Once && !cancelled) {
    int affected = 0;
    for (const FontFate &fate : fates) {
      if (fate.font != &InstalledFont) affected += fate.installed ? 0 : 1;
    }
    EXPECT_LE(affected, 1) << "a single fault harmed more than the font at hand";
  }
  const winsim::MessageBoxRecord &summary = runBoxes.back();
  std::string expected = installed == 0 ? "No new fonts were installed."
                         : installed == 1
                             ? "1 new TrueType font is now available."
                             : std::to_string(installed) + " new TrueType fonts are now available.";
  EXPECT_EQ(expected, summary.text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), summary.style);
  EXPECT_EQ(installed > 0 ? 2u : 0u, winsim::Broadcasts().size());
  return fates;
}

// What the machine holds: installed fonts whole, sources kept unless installed (deleted then,
// unless the delete itself failed), nothing new but the reached fonts' files, WIN.INI's lines kept.
void CheckMachine(const RoadOutcome &outcome, const FaultKind &kind,
                  const std::vector<FontFate> &fates, const Sandbox &sandbox) {
  const RoadFiles &before = outcome.before;
  const RoadFiles &after = outcome.after;
  bool deleteFailed = std::string(kind.name) == "delete";
  for (const FontFate &fate : fates) {
    const RoadFont &font = *fate.font;
    SCOPED_TRACE(font.fontName);
    const std::string *source = Find(after.program, font.fileName);
    const std::string *original = Find(before.program, font.fileName);
    const std::string *copy = Find(after.system, font.fileName);
    const std::string *resource = Find(after.system, font.Resource());
    if (fate.installed) {
      EXPECT_TRUE(copy != nullptr && *copy == *original) << "no true copy";
      EXPECT_NE(nullptr, resource);
      EXPECT_EQ(font.Resource(), FontsValue(font.fontName));
      std::string path = winsim::FullPath(sandbox.InSystemDir(font.Resource()));
      std::vector<std::string> table = winsim::FontResources();
      EXPECT_TRUE(std::find_if(table.begin(), table.end(), [&](const std::string &entry) {
                    return Upper(entry) == Upper(path);
                  }) != table.end());
    }
    // The original goes only with its font installed (and stays whole when the delete failed).
    bool mayBeGone = fate.installed && deleteFailed;
    bool mustBeGone = fate.installed && !deleteFailed;
    if (mustBeGone) {
      EXPECT_EQ(nullptr, source) << "the original was not deleted";
    } else if (source != nullptr || !mayBeGone) {
      EXPECT_TRUE(source != nullptr && *source == *original) << "the original was lost or changed";
    }
    if (!fate.offered || fate.afterCancel) {
      EXPECT_EQ(Find(before.system, font.fileName) != nullptr, copy != nullptr) << "touched";
      EXPECT_EQ(Find(before.system, font.Resource()) != nullptr, resource != nullptr) << "touched";
    }
    // A resource file is made only beside a copy.
    if (resource != nullptr && Find(before.system, font.Resource()) == nullptr) {
      EXPECT_NE(nullptr, copy) << ".Fot without its copy";
    }
  }
  for (const auto &file : after.program) {
    EXPECT_NE(nullptr, Find(before.program, file.first))
        << "new beside the program: " << file.first;
  }
  for (const auto &file : after.system) {
    if (Find(before.system, file.first) != nullptr) continue;
    bool belongs = false;
    for (const FontFate &fate : fates) {
      belongs = belongs || (fate.offered && (Upper(file.first) == Upper(fate.font->fileName) ||
                                             Upper(file.first) == Upper(fate.font->Resource())));
    }
    EXPECT_TRUE(belongs) << "new in the system directory: " << file.first;
  }
  std::vector<std::string> remaining = after.winIni;
  for (const std::string &line : before.winIni) {
    auto kept = std::find(remaining.begin(), remaining.end(), line);
    EXPECT_TRUE(kept != remaining.end()) << "WIN.INI lost " << line;
    if (kept != remaining.end()) remaining.erase(kept);
  }
  for (const std::string &line : remaining) {
    bool belongs = false;
    for (const FontFate &fate : fates) {
      belongs = belongs || line == fate.font->fontName + "=" + fate.font->Resource();
    }
    EXPECT_TRUE(belongs) << "WIN.INI gained " << line;
  }
}

void CheckNothingLeft(const RoadOutcome &outcome) {
  EXPECT_EQ(0, outcome.exitCode);
  EXPECT_EQ(0, winsim::OpenFileHandles());
  EXPECT_EQ(0, winsim::OpenIdentityHandles());
  EXPECT_EQ(0, winsim::LiveBlocks());
  EXPECT_EQ(0, winsim::InvalidHandleUses());
  EXPECT_EQ(0, winsim::user32::LiveWindows());
}

int injectedFaults = 0;
int sweptRuns = 0;

class RoadFaults : public testing::TestWithParam<FaultKind> {};

TEST_P(RoadFaults, EveryCallFailedInTurn) {
  const FaultKind &kind = GetParam();
  for (const Mode &mode : Modes) {
    int nth = 1;
    for (;; nth++) {
      SCOPED_TRACE(testing::Message() << kind.name << " " << nth << ", " << mode.name);
      Road road;
      RoadOutcome outcome = road.Run([&] { kind.arm(nth, mode.times); }, mode.firstAnswer);
      int fired = winsim::FaultsFired();
      sweptRuns++;
      injectedFaults += fired;
      CheckNothingLeft(outcome);
      CheckLoading(outcome, kind, mode);
      std::vector<FontFate> fates = CheckRun(outcome, kind, mode);
      CheckMachine(outcome, kind, fates, road.sandbox());
      if (fired == 0) break;
      ASSERT_LT(nth, 300) << "the sweep does not end";
    }
    // The road makes such calls: the sweep failed at least one.
    EXPECT_GT(nth, 1) << kind.name << " never fired";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RoadFaults, testing::ValuesIn(Kinds),
                         [](const testing::TestParamInfo<FaultKind> &info) {
                           std::string name = info.param.name;
                           for (char &c : name) c = c == ' ' ? '_' : c;
                           return name;
                         });

// Tells how much the matrix injected, for the record of a test run.
class MatrixReport : public testing::Environment {
 public:
  void TearDown() override {
    std::printf("fault matrix: %d runs of the whole road, %d faults injected\n", sweptRuns,
                injectedFaults);
  }
};
const testing::Environment *const report = testing::AddGlobalTestEnvironment(new MatrixReport);

}  // namespace
