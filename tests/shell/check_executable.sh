#!/usr/bin/env bash
# Reads the finished Quillbox.exe as a file, without running it: its export table must name
# FontWindProc, FontDialProc and FontStatProc with ordinals 1, 2 and 3 and nothing else, and its
# resources must hold the language-neutral dialog templates FONTDIAL and FONTSTAT and the icon
# group QUILLBOX with a 32 x 32 image of 2 colours (304 bytes) and one of 16 colours (744 bytes).
# Usage: check_executable.sh Quillbox.exe objdump
set -euo pipefail
exe=$1
objdump=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect <what> <wanted> <found>
  if [ "$2" != "$3" ]; then fail "$1: wanted [$2], found [$3]"; else echo "ok: $1: $3"; fi
}

# Export table: "Export Address Table -- Ordinal Base n", then "[index] Name" lines; the
# ordinal is base + index.
exports=$("$objdump" -p "$exe")
base=$(sed -n 's/^Export Address Table -- Ordinal Base \([0-9][0-9]*\)$/\1/p' <<<"$exports")
names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$exports" |
  sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\([A-Za-z0-9_@]*\)$/\2 \1/p' |
  while read -r name index; do echo "$name=$((base + index))"; done | sort | tr '\n' ' ')
expect "exports by name and ordinal" "FontDialProc=2 FontStatProc=3 FontWindProc=1 " "$names"

# Resource directory: type, name and language of every resource.
resources=$(wrestool -l "$exe")
listed() { grep -c -- "$1" <<<"$resources" || true; }
expect "dialog FONTDIAL, language neutral" 1 "$(listed "--type=5 --name='FONTDIAL' --language=0 ")"
expect "dialog FONTSTAT, language neutral" 1 "$(listed "--type=5 --name='FONTSTAT' --language=0 ")"
expect "icon group QUILLBOX, language neutral" 1 \
  "$(listed "--type=14 --name='QUILLBOX' --language=0 ")"
expect "resources in all" 5 "$(wc -l <<<"$resources" | tr -d ' ')"

# The icon group as an .ico: what it lists, and the size of each image it points to.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
wrestool -x --type=14 --name=QUILLBOX -o "$scratch/quillbox.ico" "$exe"
images=$(icotool -l "$scratch/quillbox.ico" | tr '\n' ' ')
expect "icon images" "--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2 \
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16 " "$images"
sizes=$(grep -- "--type=3 " <<<"$resources" | sed -n 's/.*size=\([0-9]*\)\]/\1/p' | tr '\n' ' ')
expect "icon image bytes" "304 744 " "$sizes"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $exe"
  exit 1
fi
