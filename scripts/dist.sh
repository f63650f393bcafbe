#!/usr/bin/env bash
# Packs the product for the people who install fonts: build/dist/Quillbox-VERSION.zip with the
# i686 Quillbox.exe (and QuillboxCheck.exe where it is built), a sample list file and a short text.
#   scripts/dist.sh                     builds the win32 preset, then packs from build/win32
#   scripts/dist.sh pack BUILD OUT      packs the programs already built in BUILD into OUT
#   scripts/dist.sh check ZIP BUILD     checks that a zip packed from BUILD holds what it must
#   scripts/dist.sh test BUILD OUT      packs from BUILD into OUT and checks the zip (make test)
# The version is the one the top-level CMakeLists.txt gives the project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(Quillbox VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "No project version in CMakeLists.txt" >&2; exit 1; }

pack() {
  local build=$1 out=$2
  local zip=$out/Quillbox-$version.zip stage
  [ -f "$build/Quillbox.exe" ] || { echo "$build/Quillbox.exe is not built" >&2; exit 1; }
  stage=$(mktemp -d)
  cp "$build/Quillbox.exe" "$root/dist/Quillbox.Lst" "$root/dist/README.txt" "$stage/"
  [ -f "$build/QuillboxCheck.exe" ] && cp "$build/QuillboxCheck.exe" "$stage/"
  mkdir -p "$out"
  rm -f "$zip"
  (cd "$stage" && zip -q -X "$zip" ./*)
  rm -rf "$stage"
  echo "$zip"
}

check() {
  local zip=$1 build=$2 stage status=0
  stage=$(mktemp -d)
  unzip -q "$zip" -d "$stage"
  # The checker goes in wherever it was built beside the program.
  local expected=(Quillbox.Lst Quillbox.exe README.txt)
  [ -f "$build/QuillboxCheck.exe" ] && expected+=(QuillboxCheck.exe)
  local listed
  listed=$(cd "$stage" && ls | sort | tr '\n' ' ')
  if [ "$listed" != "$(printf '%s\n' "${expected[@]}" | sort -u | tr '\n' ' ')" ]; then
    echo "the zip holds: $listed" >&2; status=1
  fi
  file -b "$stage/Quillbox.exe" | grep -q '^PE32 executable (GUI) Intel 80386' ||
    { echo "Quillbox.exe is not the i686 GUI program: $(file -b "$stage/Quillbox.exe")" >&2; status=1; }
  # Every line of the sample list ends in CR LF, the last one too.
  if [ "$(tr -cd '\n' <"$stage/Quillbox.Lst" | wc -c)" != "$(grep -c $'\r$' "$stage/Quillbox.Lst")" ] ||
     [ "$(tail -c 2 "$stage/Quillbox.Lst" | od -An -tx1 | tr -d ' ')" != 0d0a ]; then
    echo "Quillbox.Lst does not end every line in CR LF" >&2; status=1
  fi
  rm -rf "$stage"
  [ $status = 0 ] && echo "$zip holds what it must."
  return $status
}

case ${1:-} in
pack) pack "$2" "$3" ;;
check) check "$2" "$3" ;;
test) check "$(pack "$2" "$3")" "$2" ;;
"")
  cd "$root"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j2 --target Quillbox
  cmake --build --preset win32 -j2 --target QuillboxCheck 2>/dev/null || true
  pack "$root/build/win32" "$root/build/dist"
  ;;
*) echo "usage: $0 [pack BUILD OUT | check ZIP BUILD | test BUILD OUT]" >&2; exit 2 ;;
esac
