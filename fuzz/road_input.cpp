// Decoding a case: every byte string is a valid case, so that the fuzzer never wastes a run on
// an input it cannot use.
#include "road_case.h"

#include <windows.h>

RoadInput DecodeRoadInput(const uint8_t *data, size_t size) {
  auto byte = [&](size_t at) -> unsigned { return at < size ? data[at] : 0; };
  RoadInput input;
  unsigned machine = byte(0);
  input.deleteOriginals = (machine & 0x01) != 0;
  input.systemBackslash = (machine & 0x02) != 0;
  input.programInSystem = (machine & 0x04) != 0;
  input.deepProgram = (machine & 0x08) != 0;
  input.deepSystem = (machine & 0x10) != 0;
  input.noFontsSection = (machine & 0x20) != 0;
  input.stopAtPump = static_cast<int>(byte(1));
  input.fault = static_cast<RoadFault>(byte(2) % static_cast<unsigned>(RoadFault::Count));
  input.faultNth = static_cast<int>(byte(3) & 0x7F) + 1;
  input.faultFromThenOn = (byte(3) & 0x80) != 0;
  for (int box = 0; box < 16; box++) {
    unsigned code = (byte(4 + box / 4) >> (2 * (box % 4))) & 3;
    input.answers[box] = code == 1 ? IDCANCEL : code == 2 ? 0 : IDOK;
  }
  for (int line = 0; line < 16; line++)
    input.lineFlags[line] = static_cast<unsigned char>(byte(8 + line));
  if (size > RoadHeaderSize) {
    input.list.assign(reinterpret_cast<const char *>(data) + RoadHeaderSize, size - RoadHeaderSize);
  }
  return input;
}

std::vector<ListLine> SplitListLines(const std::string &list) {
  std::vector<ListLine> lines;
  std::string text = list.substr(0, list.find('\0'));
  size_t start = 0;
  for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    ListLine line;
    line.raw = text.substr(start, end - start);
    std::string bytes = line.raw.substr(0, 127);
    start = end + 2;
    size_t first = bytes.find_first_not_of(' ');
    if (first != std::string::npos) {
      size_t blank = bytes.find(' ', first);
      std::string field = bytes.substr(first, blank == std::string::npos ? blank : blank - first);
      line.fileName = field.substr(0, 15);
      if (blank != std::string::npos) {
        size_t font = bytes.find_first_not_of(' ', blank);
        if (font != std::string::npos) {
          line.fontName = bytes.substr(font, bytes.find_last_not_of(' ') + 1 - font);
          line.hasFontName = true;
        }
      }
    }
    lines.push_back(line);
  }
  return lines;
}
