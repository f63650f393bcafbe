// The dialog templates and the icon group as the platform stores them: every field of FontDial
// and FontStat and of the icon group Quillbox, read back byte by byte and compared with the
// intended values, so that a resource compiler that adds implied styles or a wrong statement in
// the .rc shows up here.
#include "shell/program_resource.h"

#include <gtest/gtest.h>

#include "resource.h"

#include <string>
#include <vector>

namespace {

constexpr WORD ClassButton = 0x0080;
constexpr WORD ClassStatic = 0x0082;
constexpr WORD ClassListBox = 0x0083;
constexpr WORD Unaddressed = 0xFFFF;

struct ExpectedControl {
  WORD classOrdinal;
  WORD id;
  const char *text;
  DWORD style;
  short x, y, cx, cy;
};

struct ExpectedDialog {
  const char *name;
  DWORD style;
  short cx, cy;
  std::vector<ExpectedControl> controls;
};

const ExpectedDialog FontStatTemplate = {
    "FontStat",
    0x80000080,
    192,
    76,
    {
        {ClassStatic, Unaddressed, "", 0x50000007, 8, 6, 176, 26},
        {ClassStatic, Unaddressed, "Font:", 0x50020000, 14, 10, 20, 8},
        {ClassStatic, IDC_STATFONT, "", 0x50020000, 36, 10, 144, 8},
        {ClassStatic, IDC_FILELABEL, "File:", 0x50020000, 14, 20, 20, 8},
        {ClassStatic, IDC_STATFILE, "", 0x50020000, 36, 20, 144, 8},
        {ClassStatic, Unaddressed, "", 0x50000007, 8, 38, 176, 12},
        {ClassStatic, IDC_PROGRESS, "", 0x50000004, 10, 40, 172, 8},
        {ClassButton, IDCANCEL, "Cancel", 0x50010000, 76, 56, 40, 14},
    }};

const ExpectedDialog FontDialTemplate = {
    "FontDial",
    0x80CA0000,
    248,
    152,
    {
        {ClassStatic, Unaddressed, "Quillbox", 0x50000003, 16, 8, 24, 24},
        {ClassStatic, Unaddressed, "Select the fonts you want to install and click on Install.",
         0x50020000, 56, 12, 180, 8},
        {ClassStatic, Unaddressed, "To exit without installing, click on Cancel.", 0x50020000, 56,
         20, 180, 8},
        {ClassListBox, IDC_FONTLIST, "", 0x50A1000B, 12, 44, 224, 48},
        {ClassStatic, IDC_SELCOUNT, "", 0x50020002, 160, 96, 76, 8},
        {ClassStatic, Unaddressed, "The font files will be copied", 0x50020000, 12, 108, 96, 8},
        {ClassStatic, Unaddressed, "to Windows directory.", 0x50020000, 12, 116, 100, 8},
        {ClassButton, IDC_DELETE, "Delete original font files", 0x50010003, 12, 134, 96, 10},
        {ClassButton, IDC_SELECTALL, "Select All", 0x50010000, 120, 108, 52, 14},
        {ClassButton, IDC_UNSELECTALL, "Unselect All", 0x50010000, 184, 108, 52, 14},
        {ClassButton, IDOK, "Install", 0x50010001, 120, 130, 52, 14},
        {ClassButton, IDCANCEL, "Cancel", 0x50010000, 184, 130, 52, 14},
    }};

// Little-endian reads with a bounds check; a read past the end marks the reader as overrun.
class Bytes {
 public:
  explicit Bytes(const std::string &data) : data_(data) {}
  WORD Word() {
    if (at_ + 2 > data_.size()) {
      overrun_ = true;
      at_ = data_.size();
      return 0;
    }
    WORD value = static_cast<WORD>(static_cast<unsigned char>(data_[at_]) |
                                   static_cast<unsigned char>(data_[at_ + 1]) << 8);
    at_ += 2;
    return value;
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() {
    if (at_ + 1 > data_.size()) {
      overrun_ = true;
      return 0;
    }
    return static_cast<BYTE>(data_[at_++]);
  }
  // A NUL-terminated UTF-16 string; the texts here are ASCII.
  std::string Text() {
    std::string text;
    for (WORD c = Word(); c != 0 && !overrun_; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignDword() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }
  size_t At() const { return at_; }
  size_t Size() const { return data_.size(); }
  bool Overrun() const { return overrun_; }

 private:
  const std::string &data_;
  size_t at_ = 0;
  bool overrun_ = false;
};

void CheckDialog(const ExpectedDialog &want) {
  SCOPED_TRACE(want.name);
  ProgramResource found;
  ASSERT_TRUE(FindProgramResource(ResourceTypeDialog, want.name, 0, &found));
  EXPECT_EQ(1, found.languages) << "one language version only";
  EXPECT_EQ(0, found.language) << "language neutral";

  Bytes bytes(found.bytes);
  EXPECT_EQ(want.style, bytes.Dword()) << "dialog style";
  EXPECT_EQ(0u, bytes.Dword()) << "dialog extended style";
  EXPECT_EQ(want.controls.size(), bytes.Word()) << "number of controls";
  EXPECT_EQ(0, bytes.Short()) << "x";
  EXPECT_EQ(0, bytes.Short()) << "y";
  EXPECT_EQ(want.cx, bytes.Short()) << "cx";
  EXPECT_EQ(want.cy, bytes.Short()) << "cy";
  EXPECT_EQ(0, bytes.Word()) << "menu: none";
  EXPECT_EQ(0, bytes.Word()) << "class: the predefined dialog class";
  EXPECT_EQ("", bytes.Text()) << "caption: empty";
  // Without DS_SETFONT no font size and face name follow; the controls come next.
  for (size_t i = 0; i < want.controls.size(); ++i) {
    const ExpectedControl &control = want.controls[i];
    SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + control.text + "\"");
    bytes.AlignDword();
    EXPECT_EQ(control.style, bytes.Dword()) << "style";
    EXPECT_EQ(0u, bytes.Dword()) << "extended style";
    EXPECT_EQ(control.x, bytes.Short()) << "x";
    EXPECT_EQ(control.y, bytes.Short()) << "y";
    EXPECT_EQ(control.cx, bytes.Short()) << "cx";
    EXPECT_EQ(control.cy, bytes.Short()) << "cy";
    EXPECT_EQ(control.id, bytes.Word()) << "id";
    EXPECT_EQ(0xFFFF, bytes.Word()) << "class given by ordinal";
    EXPECT_EQ(control.classOrdinal, bytes.Word()) << "class ordinal";
    EXPECT_EQ(control.text, bytes.Text()) << "text";
    EXPECT_EQ(0, bytes.Word()) << "no creation data";
  }
  EXPECT_FALSE(bytes.Overrun()) << "template shorter than its fields";
  EXPECT_EQ(bytes.Size(), bytes.At()) << "bytes after the last control";
}

TEST(ResourceTemplate, ProgressDialogFontStat) {
  CheckDialog(FontStatTemplate);
}

TEST(ResourceTemplate, SelectionDialogFontDial) {
  CheckDialog(FontDialTemplate);
}

TEST(ResourceTemplate, TemplateNamesIgnoreCase) {
  for (const char *name : {"FONTDIAL", "fontdial", "FONTSTAT", "fontstat"}) {
    SCOPED_TRACE(name);
    ProgramResource found;
    EXPECT_TRUE(FindProgramResource(ResourceTypeDialog, name, 0, &found));
  }
}

// The icon group: two 32 x 32 images, 2 colours at 1 bit per pixel and 16 colours at 4.
TEST(ResourceTemplate, IconGroupQuillbox) {
  ProgramResource group;
  ASSERT_TRUE(FindProgramResource(ResourceTypeGroupIcon, "Quillbox", 0, &group));
  EXPECT_EQ(1, group.languages);
  EXPECT_EQ(0, group.language);
  Bytes bytes(group.bytes);
  EXPECT_EQ(0, bytes.Word()) << "reserved";
  EXPECT_EQ(1, bytes.Word()) << "type: icon";
  ASSERT_EQ(2, bytes.Word()) << "number of images";

  struct ImageRow {
    BYTE colours;
    WORD bitsPerPixel;
    DWORD bytes;
  };
  const ImageRow images[] = {{2, 1, 304}, {16, 4, 744}};
  for (const ImageRow &want : images) {
    SCOPED_TRACE(std::to_string(want.colours) + " colours");
    EXPECT_EQ(32, bytes.Byte()) << "width";
    EXPECT_EQ(32, bytes.Byte()) << "height";
    EXPECT_EQ(want.colours, bytes.Byte()) << "colour count";
    EXPECT_EQ(0, bytes.Byte()) << "reserved";
    EXPECT_EQ(1, bytes.Word()) << "planes";
    EXPECT_EQ(want.bitsPerPixel, bytes.Word()) << "bits per pixel";
    EXPECT_EQ(want.bytes, bytes.Dword()) << "image bytes";
    WORD id = bytes.Word();

    ProgramResource image;
    ASSERT_TRUE(FindProgramResource(ResourceTypeIcon, nullptr, id, &image)) << "image " << id;
    ASSERT_EQ(want.bytes, image.bytes.size());
    Bytes header(image.bytes);
    EXPECT_EQ(40u, header.Dword()) << "BITMAPINFOHEADER size";
    EXPECT_EQ(32u, header.Dword()) << "bitmap width";
    EXPECT_EQ(64u, header.Dword()) << "bitmap height: colour bitmap and mask";
    EXPECT_EQ(1, header.Word()) << "bitmap planes";
    EXPECT_EQ(want.bitsPerPixel, header.Word()) << "bitmap bits per pixel";
    EXPECT_EQ(0u, header.Dword()) << "uncompressed";
  }
  EXPECT_FALSE(bytes.Overrun());
  EXPECT_EQ(bytes.Size(), bytes.At());
}

}  // namespace
