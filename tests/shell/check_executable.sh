#!/usr/bin/env bash
# Reads the finished Quillbox.exe as a file, without running it: its export table must name
# FontWindProc, FontDialProc and FontStatProc with ordinals 1, 2 and 3 and nothing else, and its
# resources must be the language-neutral dialog templates FONTDIAL and FONTSTAT and the icon
# group QUILLBOX with its two images, besides one manifest and one version resource, and nothing
# else. The manifest asks for an administrator (QuillboxCheck.exe's
# for the caller's token), names Windows Vista to 11 and, for Quillbox.exe, DPI awareness; the version
# resource gives the project's version from CMakeLists.txt and the file's own name.
# Usage: check_executable.sh Quillbox.exe objdump [QuillboxCheck.exe]
set -euo pipefail
exe=$1
objdump=$2
checker=${3:-}
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

# Resource directory: type (3 icon image, 5 dialog, 14 icon group, 16 version, 24 manifest), name
# and language of each.
resources=$(wrestool -l "$exe" | sed 's/ \[.*//' | LC_ALL=C sort | tr '\n' ' ')
expect "resources" "--type=14 --name='QUILLBOX' --language=0 --type=16 --name=1 --language=1033 \
--type=24 --name=1 --language=1033 --type=3 --name=1 --language=0 \
--type=3 --name=2 --language=0 --type=5 --name='FONTDIAL' --language=0 \
--type=5 --name='FONTSTAT' --language=0 " "$resources"

# manifest_and_version <exe> <execution level> <description> [dpiAware]: what the manifest asks
# for (the systems Vista, 7, 8, 8.1 and 10/11 by the ids Windows documents), and the version
# resource's strings as key=value.
version=$(sed -n 's/^project(Quillbox VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
manifest_and_version() {
  local name manifest strings
  name=$(basename "$1")
  manifest=$(wrestool -x --raw --type=24 --name=1 "$1")
  expect "$name: execution level" "level=\"$2\" uiAccess=\"false\"" \
    "$(grep -o 'level="[^"]*" *uiAccess="[^"]*"' <<<"$manifest")"
  expect "$name: supported systems" "Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\" \
Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\" Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\" \
Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\" Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\" " \
    "$(grep -o 'Id="{[^}]*}"' <<<"$manifest" | sort | tr '\n' ' ')"
  expect "$name: DPI aware" "${4:-}" "$(sed -n 's/.*<dpiAware[^>]*>\(.*\)<\/dpiAware>.*/\1/p' <<<"$manifest")"
  strings=$(wrestool -x --raw --type=16 --name=1 "$1" | strings -el |
    sed -n '/^040904B0$/,/^VarFileInfo$/p' | sed '1d;$d' | paste -d= - - | sort | tr '\n' ' ')
  expect "$name: version strings" "FileDescription=$3 FileVersion=$version \
InternalName=${name%.exe} OriginalFilename=$name ProductName=Quillbox ProductVersion=$version " "$strings"
}
manifest_and_version "$exe" requireAdministrator "TrueType Fonts Installation" true
if [ -n "$checker" ]; then
  expect "QuillboxCheck.exe: resources" "--type=16 --name=1 --language=1033 \
--type=24 --name=1 --language=1033 " "$(wrestool -l "$checker" | sed 's/ \[.*//' | LC_ALL=C sort | tr '\n' ' ')"
  manifest_and_version "$checker" asInvoker "Quillbox font list check"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $exe"
  exit 1
fi
