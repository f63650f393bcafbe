#!/usr/bin/env python3
"""Writes the seed corpus of the road fuzzer (fuzz/corpus): the worked example of the list file
and its variants, each a 24-byte header (see road_case.h) followed by the list file. Run it again
after changing a seed; the fuzzer adds its own finds beside these in its working corpus."""
import os
import sys

PRESENT, FOT, KEY_SET, KEY_EMPTY, SELECTED = 0x01, 0x02, 0x04, 0x08, 0x10
SMALL, MEDIUM, LARGE = 0x40, 0x80, 0xC0
FAULTS = ["none", "allocation", "open", "create", "read", "write", "close", "delete",
          "profile-write", "profile-read", "create-resource", "add-resource"]
OK, CANCEL, BOX_FAILS = 0, 1, 2


def case(lines, flags=(), machine=0, stop=0, fault="none", nth=1, from_then_on=False,
         answers=(), tail="", crlf="\r\n"):
    header = bytearray(24)
    header[0] = machine
    header[1] = stop
    header[2] = FAULTS.index(fault)
    header[3] = (nth - 1) | (0x80 if from_then_on else 0)
    for box, answer in enumerate(answers):
        header[4 + box // 4] |= answer << (2 * (box % 4))
    for line, value in enumerate(flags):
        header[8 + line] = value
    text = "".join(line + crlf for line in lines) + tail
    return bytes(header) + text.encode("latin-1")


EXAMPLE = ["HARBOR.TTF   Harbor Sans", "  HARBORB.TTF Harbor Sans Bold   ", "LINDEN.TTF",
           "harbor.ttf Harbor Sans Copy", "FONTS\\MAPLE.TTF Maple Serif", "LONGNAME1.TTF Long Name",
           ""]
EXAMPLE_TAIL = ["MAPLE.TTF Maple Serif"]
# Line 8 (MAPLE) is registered in WIN.INI; line 9 (CEDAR) has no CR LF and is ignored.
EXAMPLE_FLAGS = [PRESENT | SELECTED | SMALL, PRESENT | SELECTED | MEDIUM, 0, 0, 0, 0, 0,
                 PRESENT | KEY_SET | SMALL, PRESENT | LARGE]


def example(**options):
    return case(EXAMPLE + EXAMPLE_TAIL, EXAMPLE_FLAGS, tail="CEDAR.TTF Cedar Mono", **options)


def fonts(count, extra=0):
    """count sound, selected fonts F0.TTF ... of growing size classes."""
    lines = ["F%d.TTF Font Number %d" % (n, n) for n in range(count)]
    sizes = [SMALL, MEDIUM, LARGE]
    return lines, [PRESENT | SELECTED | sizes[n % 3] | extra for n in range(count)]


SEEDS = {
    "example": example(),
    "example-delete": example(machine=0x01),
    "example-cancel-before-first": example(stop=1),
    "example-stop-before-second": example(stop=2),
    "example-in-system-directory": example(machine=0x05),
    "example-deep-directories": example(machine=0x1A),
    "example-no-fonts-section": example(machine=0x20),
    "no-font-files": case(["LINDEN.TTF", "FONTS\\MAPLE.TTF Maple Serif", "LONGNAME1.TTF Long Name",
                           ""]),
    "all-installed": case(["MAPLE.TTF Maple Serif"], [PRESENT | KEY_SET | SMALL]),
    "fot-installed": case(["MAPLE.TTF Maple Serif"], [PRESENT | FOT | SMALL]),
    "empty-key": case(["MAPLE.TTF Maple Serif"], [PRESENT | KEY_EMPTY | SELECTED | SMALL]),
    "empty-list": case([]),
    "unix-lines": case(["HARBOR.TTF Harbor Sans"], [PRESENT | SELECTED], crlf="\n"),
    "nul-ends-text": case(["HARBOR.TTF Harbor Sans"], [PRESENT | SELECTED | SMALL],
                          tail="\0CEDAR.TTF Cedar Mono\r\n"),
    "tab-and-long-names": case(["HARBOR.TTF\tHarbor", "CEDAR.TTF " + "C" * 79,
                                "MAPLE.TTF " + "M" * 80, "NODOT Font Without Dot",
                                "ABC. Trailing Dot", "A.B.D Two Dots",
                                "HIGH.TTF Caf\xe9 \xc6\xf8\xff"],
                               [PRESENT | SELECTED | SMALL] * 7),
    "empty-font-fails": case(["EMPTY.TTF Empty Font", "F1.TTF Font One"],
                             [PRESENT | SELECTED, PRESENT | SELECTED | MEDIUM]),
    "empty-font-cancel": case(["EMPTY.TTF Empty Font", "F1.TTF Font One"],
                              [PRESENT | SELECTED, PRESENT | SELECTED | MEDIUM], answers=[CANCEL]),
    "empty-font-box-fails": case(["EMPTY.TTF Empty Font", "F1.TTF Font One"],
                                 [PRESENT | SELECTED, PRESENT | SELECTED | MEDIUM],
                                 answers=[BOX_FAILS]),
    "semicolon-font-name": case(["SEMI.TTF ;Semi Font", "PLAIN.TTF Plain Font"],
                                [PRESENT | SELECTED | SMALL, PRESENT | SELECTED | KEY_EMPTY | SMALL]),
    "same-file-two-spellings": case(["AB. Spelt With Dot", "AB Spelt Without"],
                                    [PRESENT | SELECTED | SMALL, SELECTED], machine=0x01),
}
lines, flags = fonts(6)
for name, fault, nth, from_then_on in [
        ("allocation-2", "allocation", 2, False), ("allocation-from-4", "allocation", 4, True),
        ("open-5", "open", 5, False), ("open-from-20", "open", 20, True),
        ("create-2", "create", 2, False), ("read-3", "read", 3, False),
        ("write-1", "write", 1, False), ("write-from-4", "write", 4, True),
        ("close-from-3", "close", 3, True), ("delete-1", "delete", 1, False),
        ("profile-write-2", "profile-write", 2, False),
        ("profile-read-from-1", "profile-read", 1, True),
        ("create-resource-3", "create-resource", 3, False),
        ("add-resource-from-2", "add-resource", 2, True)]:
    SEEDS["fault-" + name] = case(lines, flags, machine=0x01, fault=fault, nth=nth,
                                  from_then_on=from_then_on)
SEEDS["fault-write-1-cancel"] = case(lines, flags, fault="write", nth=1, answers=[CANCEL])
SEEDS["six-fonts"] = case(lines, flags)

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
os.makedirs(out, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
print("%d seeds in %s" % (len(SEEDS), out))
