#!/usr/bin/env bash
# Reads the finished Quillbox.exe as a file, without running it: its export table must name
# FontWindProc, FontDialProc and FontStatProc with ordinals 1, 2 and 3 and nothing else, and its
# resources must be the language-neutral dialog templates FONTDIAL and FONTSTAT and the icon
# group QUILLBOX with a 32 x 32 image of 2 colours and one of 16 colours, and nothing else.
# Usage: check_executable.sh Quillbox.exe objdump
set -euo pipefail
exe=$1
objdump=$2
failures=0
expect() {  # expect <what> <wanted> <found>
  [ "$2" = "$3" ] && echo "ok: $1: $3" && return
  echo "FAIL: $1: wanted [$2], found [$3]"
  failures=$((failures + 1))
}

# Export table: "Export Address Table -- Ordinal Base n", then "[index] Name" lines; the
# ordinal is base + index.
exports=$("$objdump" -p "$exe")
base=$(sed -n 's/^Export Address Table -- Ordinal Base \([0-9][0-9]*\)$/\1/p' <<<"$exports")
names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$exports" |
  sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\([A-Za-z0-9_@]*\)$/\2 \1/p' |
  while read -r name index; do echo "$name=$((base + index))"; done | sort | tr '\n' ' ')
expect "exports by name and ordinal" "FontDialProc=2 FontStatProc=3 FontWindProc=1 " "$names"

# Resource directory: type (3 icon image, 5 dialog, 14 icon group), name and language of each.
resources=$(wrestool -l "$exe" | sed 's/ \[.*//' | LC_ALL=C sort | tr '\n' ' ')
expect "resources" "--type=14 --name='QUILLBOX' --language=0 --type=3 --name=1 --language=0 \
--type=3 --name=2 --language=0 --type=5 --name='FONTDIAL' --language=0 \
--type=5 --name='FONTSTAT' --language=0 " "$resources"

# The icon group as an .ico: the images it lists.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
wrestool -x --type=14 --name=QUILLBOX -o "$scratch/quillbox.ico" "$exe"
images=$(icotool -l "$scratch/quillbox.ico" | tr '\n' ' ')
expect "icon images" "--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2 \
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16 " "$images"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $exe"
  exit 1
fi
