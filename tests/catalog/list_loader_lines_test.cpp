// The rules of a list file line, each at the place where a slip would show: line ends, the end
// of the text, the 127-byte window, field limits, the 8.3 rule, uniqueness and unsafe names.
#include "catalog/list_loader.h"

#include "catalog_test_support.h"

namespace {

using namespace std::string_literals;

class ListLoaderLines : public CatalogTest {
 protected:
  ListLoaderLines() {
    PlaceFont("HARBOR.TTF", 1200);
    PlaceFont("CEDAR.TTF", 0);
    PlaceFont("ABCDEFGH", 800);
    PlaceFont("ABCDEFGHI", 900);
    PlaceFont("A.B.D", 700);
  }
};

// A line of exactly 127 bytes: the text, then blanks up to the window's last byte.
std::string FillWindow(const std::string &start) {
  return start + std::string(127 - start.size(), ' ');
}

// Characters that show where a name was cut: ABC...XYZABC...
std::string Letters(size_t count) {
  std::string text;
  for (size_t i = 0; i < count; i++) text += (char)('A' + i % 26);
  return text;
}

const TableRecord Harbor = {"HARBOR.TTF", "Harbor Sans", 1200, 0};
const TableRecord Cedar = {"CEDAR.TTF", "Cedar Mono", 0, 0};

TEST_F(ListLoaderLines, EachRuleAtItsEdge) {
  struct Row {
    const char *context;
    std::string text;
    std::vector<TableRecord> records;
    int found;
  };
  const std::string tabAt127 = FillWindow("HARBOR.TTF" + std::string(60, ' ') + "Harbor Sans");
  const std::string tabAt126 = tabAt127.substr(0, 126);
  const Row rows[] = {
      // Line ends and the end of the text.
      {"LF alone ends no line", "HARBOR.TTF Harbor Sans\nCEDAR.TTF Cedar Mono\n", {}, 0},
      {"a lone CR is a character of its line",
       "HARBOR.TTF Harbor\rSans\r\nCEDAR.TTF Cedar Mono\r\n",
       {Cedar},
       1},
      {"a lone LF is a character of its line",
       "HARBOR.TTF Harbor\nSans\r\nCEDAR.TTF Cedar Mono\r\n",
       {Cedar},
       1},
      {"CR CR LF leaves a CR in the line",
       "HARBOR.TTF Harbor Sans\r\r\nCEDAR.TTF Cedar Mono\r\n",
       {Cedar},
       1},
      {"LF CR is no line end", "HARBOR.TTF Harbor Sans\n\rCEDAR.TTF Cedar Mono\r\n", {}, 0},
      {"the last line without CR LF is ignored",
       "HARBOR.TTF Harbor Sans\r\nCEDAR.TTF Cedar Mono",
       {Harbor},
       1},
      {"a last line ending in CR alone is ignored",
       "HARBOR.TTF Harbor Sans\r\nCEDAR.TTF Cedar Mono\r",
       {Harbor},
       1},
      {"a NUL ends the text", "HARBOR.TTF Harbor Sans\r\n\0CEDAR.TTF Cedar Mono\r\n"s, {Harbor}, 1},
      {"a NUL inside the first line ends the text before its CR LF",
       "HARBOR.TTF Harbor\0Sans\r\nCEDAR.TTF Cedar Mono\r\n"s,
       {},
       0},
      {"a NUL between CR and LF", "HARBOR.TTF Harbor Sans\r\0\nCEDAR.TTF Cedar Mono\r\n"s, {}, 0},
      // Control bytes and the 127-byte window.
      {"a TAB skips the line", "HARBOR.TTF\tHarbor Sans\r\nCEDAR.TTF Cedar\tMono\r\n", {}, 0},
      {"bytes 0x01 and 0x1F skip the line, 0x7F does not",
       "HARBOR.TTF Harbor\x01Sans\r\nCEDAR.TTF Cedar\x1FMono\r\nHARBOR.TTF Harbor\x7FSans\r\n",
       {{"HARBOR.TTF", "Harbor\x7FSans", 1200, 0}},
       1},
      {"a TAB at byte 127 is seen", tabAt126 + "\tTail\r\n", {}, 0},
      {"a TAB after byte 127 is not seen", tabAt127 + "\tTail\r\n", {Harbor}, 1},
      {"a font name cut at byte 127, 79 characters left",
       "HARBOR.TTF" + std::string(38, ' ') + Letters(100) + "\r\n",
       {{"HARBOR.TTF", Letters(79), 1200, 0}},
       1},
      {"a font name cut at byte 127, 80 characters left",
       "HARBOR.TTF" + std::string(37, ' ') + Letters(100) + "\r\n",
       {},
       0},
      {"a cut font name is trimmed",
       FillWindow("HARBOR.TTF Harbor Sans") + "Beyond\r\n",
       {Harbor},
       1},
      // Fields.
      {"leading, separating and trailing blanks",
       "   HARBOR.TTF    Harbor Sans    \r\n",
       {Harbor},
       1},
      {"a file name followed by blanks alone",
       "HARBOR.TTF    \r\nCEDAR.TTF Cedar Mono\r\n",
       {Cedar},
       1},
      {"blanks alone", "     \r\n\r\nCEDAR.TTF Cedar Mono\r\n", {Cedar}, 1},
      {"a font name of 79 characters",
       "HARBOR.TTF " + Letters(79) + "\r\n",
       {{"HARBOR.TTF", Letters(79), 1200, 0}},
       1},
      {"a font name of 80 characters", "HARBOR.TTF " + Letters(80) + "\r\n", {}, 0},
      {"a font file of 0 bytes", "CEDAR.TTF Cedar Mono\r\n", {Cedar}, 1},
      {"a font file that is missing",
       "MISSING.TTF Missing Font\r\nCEDAR.TTF Cedar Mono\r\n",
       {Cedar},
       1},
      {"the 8.3 rule",
       "ABCDEFGH Eight\r\nABCDEFGHI Nine\r\nA.B.D Two Dots\r\n",
       {{"ABCDEFGH", "Eight", 800, 0}, {"A.B.D", "Two Dots", 700, 0}},
       2},
      {"a file-name field longer than 15 characters", "ABCDEFGHXXXXXXXXXXX.TTF Long\r\n", {}, 0},
      // Uniqueness, letter case and the bytes of the code page.
      {"a repeated file or font name in any case",
       "HARBOR.TTF Harbor Sans\r\nharbor.TTF Other Name\r\nCEDAR.TTF HARBOR sans\r\n"
       "CEDAR.TTF Cedar Mono\r\n",
       {Harbor, Cedar},
       2},
      {"bytes 0x80 to 0xFF reach the table unchanged",
       "HARBOR.TTF Caf\xE9 \x80\x9F\xC4\xFF\r\n",
       {{"HARBOR.TTF", "Caf\xE9 \x80\x9F\xC4\xFF", 1200, 0}},
       1},
      // Names that would corrupt WIN.INI as keys.
      {"a font name with '='", "HARBOR.TTF Harbor=Sans\r\nCEDAR.TTF Cedar Mono=\r\n", {}, 0},
      {"a font name beginning with '['", "HARBOR.TTF [Harbor Sans]\r\n", {}, 0},
      {"a '[' inside a font name is harmless",
       "HARBOR.TTF Harbor [Sans]\r\n",
       {{"HARBOR.TTF", "Harbor [Sans]", 1200, 0}},
       1},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    WriteList(row.text);
    EXPECT_EQ(row.records.empty() ? 0 : 1, LoadFontList());
    EXPECT_EQ(row.records, TableRecords());
    EXPECT_EQ(row.found, foundCount);
    std::vector<std::string> expectedBoxes;
    if (row.found == 0) expectedBoxes.push_back(LoaderBox(NoFontsText, MB_ICONWARNING));
    EXPECT_EQ(expectedBoxes, NewBoxes());
    ReleaseFontList();
  }
}

TEST_F(ListLoaderLines, SizeOfTheListFile) {
  // A line of filler takes the room between the first and the last line, so that the last line
  // is seen only when the whole file was read.
  auto listOfSize = [](size_t size) {
    std::string first = "CEDAR.TTF Cedar Mono\r\n";
    std::string last = "HARBOR.TTF Harbor Sans\r\n";
    return first + std::string(size - first.size() - last.size() - 2, 'x') + "\r\n" + last;
  };
  struct Row {
    const char *context;
    bool present;
    std::string text;
    int result;
  };
  const Row rows[] = {
      {"no list file", false, "", 0},
      {"0 bytes", true, "", 0},
      {"65,000 bytes", true, listOfSize(65000), 1},
      {"65,001 bytes", true, listOfSize(65001), 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    if (row.present)
      WriteList(row.text);
    else
      sandbox.Remove(sandbox.InProgramDir("Quillbox.Lst"));
    EXPECT_EQ(row.result, LoadFontList());
    if (row.result == 1) {
      EXPECT_EQ((std::vector<TableRecord>{Cedar, Harbor}), TableRecords());
      EXPECT_EQ(std::vector<std::string>{}, NewBoxes());
    } else {
      EXPECT_EQ(0, FontCount);
      EXPECT_EQ(std::vector<std::string>{LoaderBox(NotFoundText, MB_ICONERROR)}, NewBoxes());
    }
    ReleaseFontList();
  }
}

}  // namespace
