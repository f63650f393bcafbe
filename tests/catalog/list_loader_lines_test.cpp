// The rules of a list file line, each at the place where a slip would show: line ends, the end
// of the text, the 127-byte window, field limits, the 8.3 rule, installed fonts, uniqueness and
// unsafe names; and the loader's two messages when it has nothing to offer.
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
    PlaceFont("MAPLE.TTF", 1400);
    sandbox.SetFontsKey("Maple Serif", "MAPLE.Fot");
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
  const std::string cedar = "CEDAR.TTF Cedar Mono\r\n";
  const TableRecord harbor79 = {"HARBOR.TTF", Letters(79), 1200, 0};
  const Row rows[] = {
      // Line ends and the end of the text.
      {"LF alone ends no line", "HARBOR.TTF Harbor Sans\nCEDAR.TTF Cedar Mono\n", {}, 0},
      {"a lone CR is a byte of its line", "HARBOR.TTF Harbor\rSans\r\n" + cedar, {Cedar}, 1},
      {"CR CR LF leaves a CR in the line", "HARBOR.TTF Harbor Sans\r\r\n" + cedar, {Cedar}, 1},
      {"a last line without CR LF", "HARBOR.TTF Harbor Sans\r\nCEDAR.TTF Cedar", {Harbor}, 1},
      {"a NUL ends the text", "HARBOR.TTF Harbor Sans\r\n\0"s + cedar, {Harbor}, 1},
      {"a NUL between CR and LF", "HARBOR.TTF Harbor Sans\r\0\n"s + cedar, {}, 0},
      // Control bytes and the 127-byte window.
      {"a TAB skips the line", "HARBOR.TTF\tHarbor Sans\r\nCEDAR.TTF Cedar\tMono\r\n", {}, 0},
      {"bytes 0x01 and 0x1F skip the line, 0x7F does not",
       "HARBOR.TTF Harbor\x01Sans\r\nCEDAR.TTF Cedar\x1FMono\r\nHARBOR.TTF Harbor\x7FSans\r\n",
       {{"HARBOR.TTF", "Harbor\x7FSans", 1200, 0}},
       1},
      {"a TAB at byte 127 is seen", tabAt127.substr(0, 126) + "\tTail\r\n", {}, 0},
      {"a TAB at byte 128 is not seen", tabAt127 + "\tTail\r\n", {Harbor}, 1},
      {"cut at byte 127, 79 left",
       "HARBOR.TTF" + std::string(38, ' ') + Letters(99) + "\r\n",
       {harbor79},
       1},
      {"cut at byte 127, 80 left",
       "HARBOR.TTF" + std::string(37, ' ') + Letters(99) + "\r\n",
       {},
       0},
      // Fields.
      {"blanks around and between", "   HARBOR.TTF    Harbor Sans    \r\n", {Harbor}, 1},
      {"a font name of 79 characters", "HARBOR.TTF " + Letters(79) + "\r\n", {harbor79}, 1},
      {"a font name of 80 characters", "HARBOR.TTF " + Letters(80) + "\r\n", {}, 0},
      {"no font name, a directory part, nine before the dot, blanks alone",
       "LINDEN.TTF\r\nFONTS\\MAPLE.TTF Maple Serif\r\nLONGNAME1.TTF Long Name\r\n   \r\n",
       {},
       0},
      {"a missing file, and a font installed already: found, not offered",
       "MISSING.TTF Missing Font\r\nMAPLE.TTF Maple Serif\r\n",
       {},
       1},
      {"the 8.3 rule",
       "ABCDEFGH Eight\r\nABCDEFGHI Nine\r\nA.B.D Two Dots\r\n",
       {{"ABCDEFGH", "Eight", 800, 0}, {"A.B.D", "Two Dots", 700, 0}},
       2},
      {"a file-name field beyond its buffer", "ABCDEFGHXXXXXXXXXXX.TTF Long\r\n", {}, 0},
      // Uniqueness, letter case and the bytes of the code page.
      {"a repeated file or font name in any case",
       "HARBOR.TTF Harbor Sans\r\nharbor.TTF Other\r\nCEDAR.TTF HARBOR sans\r\n" + cedar,
       {Harbor, Cedar},
       2},
      {"a repeated file name alone keeps its own spelling",
       "harbor.ttf Harbor Copy\r\n",
       {{"harbor.ttf", "Harbor Copy", 1200, 0}},
       1},
      {"bytes 0x80 to 0xFF reach the table unchanged",
       "HARBOR.TTF Caf\xE9 \x80\x9F\xC4\xFF\r\n",
       {{"HARBOR.TTF", "Caf\xE9 \x80\x9F\xC4\xFF", 1200, 0}},
       1},
      // Names that would corrupt WIN.INI as keys.
      {"a font name with '='", "HARBOR.TTF Harbor=Sans\r\nCEDAR.TTF Cedar Mono=\r\n", {}, 0},
      {"a font name beginning with '['", "HARBOR.TTF [Harbor Sans]\r\n", {}, 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    WriteList(row.text);
    EXPECT_EQ(row.records.empty() ? 0 : 1, LoadFontList());
    EXPECT_EQ(row.records, TableRecords());
    EXPECT_EQ(row.found, foundCount);
    bool installed = row.found > 0 && row.records.empty();
    EXPECT_EQ(row.found == 0
                  ? LoaderBoxes(NoFontsText, MB_ICONWARNING)
                  : LoaderBoxes(installed ? AllInstalledText : nullptr, MB_ICONINFORMATION),
              NewBoxes());
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
    std::string text;  // "-": no list file at all
    int result;
  };
  const Row rows[] = {{"no list file", "-", 0},
                      {"0 bytes", "", 0},
                      {"65,000 bytes", listOfSize(65000), 1},
                      {"65,001 bytes", listOfSize(65001), 0}};
  for (const Row &row : rows) {
    SCOPED_TRACE(row.context);
    if (row.text != "-") WriteList(row.text);
    EXPECT_EQ(row.result, LoadFontList());
    std::vector<TableRecord> records = {Cedar, Harbor};
    EXPECT_EQ(row.result == 1 ? records : std::vector<TableRecord>{}, TableRecords());
    EXPECT_EQ(LoaderBoxes(row.result == 1 ? nullptr : NotFoundText, MB_ICONERROR), NewBoxes());
    ReleaseFontList();
  }
}

}  // namespace
