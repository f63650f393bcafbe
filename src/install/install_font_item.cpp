// Installs one font: the seven checks and actions in their fixed order, each failure reported
// with its own message, and the source deleted afterwards when the user asked for that.
#include "install/install_font_item.h"

#include "catalog/file_ops.h"
#include "catalog/shared_texts.h"
#include "install/install_copy.h"
#include "install/install_font_check.h"
#include "install/install_registry.h"
#include "install/install_same_file.h"
#include "install/install_texts.h"
#include "install/run_host.h"
#include "install/run_options.h"

namespace {

constexpr UINT FailureStyle = MB_ICONWARNING | MB_OKCANCEL;

// What a failure message names.
enum MessageArgument { NameOfFont, UpperFileName, UpperResourceName };

struct FailureMessage {
  const char *format;
  MessageArgument argument;
};

// The message of each check, indexed by the check's number less one.
constexpr FailureMessage FailureMessages[] = {
    {"Cannot install the font '%s'.", NameOfFont},                 // 1 already in WIN.INI
    {"Cannot copy the font file '%s'.", UpperFileName},            // 2 source missing
    {"Cannot create the resource file '%s'.", UpperResourceName},  // 3 .Fot already there
    {"Cannot copy the font file '%s'.", UpperFileName},            // 4 copy failed
    {"Cannot create the resource file '%s'.", UpperResourceName},  // 5 .Fot not created
    {"Cannot install the font '%s'.", NameOfFont},                 // 6 not added to the system
    {"Cannot install the font '%s'.", NameOfFont},                 // 7 not written to WIN.INI
};

// Checks 5 to 7: the .Fot made, the font added to the system, the key written to WIN.INI. The
// system is handed the paths by which every process reaches the files. A failure takes back what
// these steps added: a .Fot left in the system directory would make the font pass for installed
// at the next start, which would never offer it again.
int AddFont(const FontTexts *texts, int *added) {
  if (texts->sharedTargetPath[0] == '\0' ||
      !CreateScalableFontResourceA(0, texts->resourcePath, texts->sharedTargetPath, NULL))
    return 5;
  int fonts =
      texts->sharedResourcePath[0] != '\0' ? AddFontResourceA(texts->sharedResourcePath) : 0;
  if (fonts == 0) {
    DeleteFontFile(texts->resourcePath);
    return 6;
  }
  if (!WriteProfileStringA(FontsSection, texts->fontName, texts->resourceName)) {
    RemoveFontResourceA(texts->sharedResourcePath);
    DeleteFontFile(texts->resourcePath);
    return 7;
  }
  // Beyond the seven checks: where the system looks for fonts when it starts. Whether this
  // succeeds does not decide the font, which is installed for this session and in WIN.INI.
  RecordFontForRestart(texts->fontName, texts->sharedTargetPath);
  *added = fonts;
  return 0;
}

// Goes through the checks and actions in order. Returns the number (1 to 7) of the first that
// failed, or 0 when all passed; then *added holds the number of fonts the resource added.
// A path that could not be composed fails the first check that needs it.
int RunChecks(const FontTexts *texts, char *message, int *added, int *sameFile) {
  GetProfileStringA(FontsSection, texts->fontName, "", message, PathSize);
  if (message[0] != '\0') return 1;
  if (texts->sourcePath[0] == '\0' || GetFileLength(texts->sourcePath) == -1) return 2;
  // A font file listed under a .Fot name would take its own resource file's name.
  if (texts->resourcePath[0] == '\0' || lstrcmpiA(texts->resourceName, texts->upperFile) == 0 ||
      GetFileLength(texts->resourcePath) != -1)
    return 3;
  if (texts->targetPath[0] == '\0') return 4;
  // A program lying in the system directory offers fonts that are already in place: copying
  // such a file onto itself would empty it, so the copy is left out. Either way only a whole font
  // goes on, and only over a font, an empty file or itself.
  *sameFile = IsSameFile(texts->sourcePath, texts->targetPath);
  if (*sameFile < 0) return 4;
  if (!MayCopyFont(texts->sourcePath, texts->targetPath, *sameFile)) return 4;
  // A copy made where no file was before goes again when a later step fails; one that replaced an
  // older font stays, whole, and the next attempt replaces it.
  int fresh = !*sameFile && GetFileAttributesA(texts->targetPath) == INVALID_FILE_ATTRIBUTES;
  if (!*sameFile && !CopyWholeFile(texts->sourcePath, texts->targetPath)) return 4;
  int failed = AddFont(texts, added);
  if (failed != 0 && fresh) DeleteFontFile(texts->targetPath);
  return failed;
}

// Shows the message of the failed check; returns 0 when the user chose Cancel. Any other answer,
// a failed message box included, passes over the font.
int ReportFailure(HWND hDlg, int check, FontTexts *texts, char *message) {
  const FailureMessage &failure = FailureMessages[check - 1];
  const char *argument = texts->fontName;
  if (failure.argument == UpperFileName) argument = texts->upperFile;
  if (failure.argument == UpperResourceName) {
    // A resource name that could not be composed is told by the font file it belongs to.
    argument = texts->resourceName[0] != '\0' ? CharUpperA(texts->resourceName) : texts->upperFile;
  }
  wsprintfA(message, failure.format, argument);
  return MessageBoxA(hDlg, message, AppCaption, FailureStyle) == IDCANCEL ? 0 : 1;
}

}  // namespace

int InstallFontItem(HWND hDlg, const FontItem *item, int *added) {
  FontTexts texts;
  CHAR message[PathSize];
  *added = 0;

  BuildFontNames(item, &texts);
  SetDlgItemTextA(hDlg, RunFontLine, texts.fontName);
  SetDlgItemTextA(hDlg, RunFileLine, texts.upperFile);
  BuildFontPaths(&texts);

  int sameFile = 0;
  int fonts = 0;
  int failed = RunChecks(&texts, message, &fonts, &sameFile);
  if (failed != 0) return ReportFailure(hDlg, failed, &texts, message);

  // The only copy of a font that was already in the system directory is never deleted.
  if (runOptions.deleteOriginals && !sameFile) DeleteFontFile(texts.sourcePath);
  *added = fonts;
  return 1;
}
