#!/usr/bin/env bash
# Packs the product for the people who install fonts: build/dist/Quillbox-VERSION.zip with the
# i686 Quillbox.exe (and QuillboxCheck.exe where it is built), a sample list file and a short text,
# and SHA256SUMS beside it.
#   scripts/dist.sh                     builds the win32 preset, then packs from build/win32
#   scripts/dist.sh pack BUILD OUT      packs the programs already built in BUILD into OUT
#   scripts/dist.sh check ZIP BUILD     checks that a zip packed from BUILD holds what it must
#   scripts/dist.sh test BUILD OUT      packs from BUILD into OUT and checks the zip, then builds
#                                       and packs a copy of the sources in OUT/again: the two zips
#                                       must be the same bytes (make test)
# The version is the one the top-level CMakeLists.txt gives the project.
#
# One commit gives one zip, byte for byte, wherever and whenever it is built: the programs are
# linked without a time stamp, and the zip holds its files in name order, with fixed permissions,
# the time of the commit (SOURCE_DATE_EPOCH when set) in UTC and no extra fields.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(Quillbox VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "No project version in CMakeLists.txt" >&2; exit 1; }

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)}

pack() {
  local build=$1 out=$2
  local zip stage
  [ -f "$build/Quillbox.exe" ] || { echo "$build/Quillbox.exe is not built" >&2; exit 1; }
  mkdir -p "$out"
  zip=$(cd "$out" && pwd)/Quillbox-$version.zip
  stage=$(mktemp -d)
  cp "$build/Quillbox.exe" "$root/dist/Quillbox.Lst" "$root/dist/README.txt" "$stage/"
  [ -f "$build/QuillboxCheck.exe" ] && cp "$build/QuillboxCheck.exe" "$stage/"
  chmod 644 "$stage"/*
  chmod 755 "$stage"/*.exe
  touch -d "@$epoch" "$stage"/*
  rm -f "$zip" "$out/SHA256SUMS"
  (cd "$stage" && ls | LC_ALL=C sort | TZ=UTC zip -q -X -D "$zip" -@)
  rm -rf "$stage"
  (cd "$out" && sha256sum "$(basename "$zip")" >SHA256SUMS)
  echo "$zip"
}

# Builds the programs again from a copy of the sources (the files git knows, as they are in the
# worktree) in another folder, packs them, and compares the two zips and their sums.
again() {
  local zip=$1 build=$2 out=$3/again
  rm -rf "$out"
  mkdir -p "$out/src"
  git -C "$root" ls-files -co --exclude-standard -z | (cd "$root" && tar -cf - --null -T -) |
    tar -xf - -C "$out/src"
  (cd "$out/src" && cmake --preset win32 >/dev/null &&
     cmake --build --preset win32 -j2 --target Quillbox QuillboxCheck >/dev/null) ||
    { echo "the copy in $out/src did not build" >&2; return 1; }
  local second
  second=$(pack "$out/src/build/win32" "$out/dist")
  if cmp "$zip" "$second" && cmp "$(dirname "$zip")/SHA256SUMS" "$out/dist/SHA256SUMS"; then
    echo "$second, built and packed again in another folder, is the same bytes."
    rm -rf "$out"
    return 0
  fi
  for file in Quillbox.exe QuillboxCheck.exe; do
    cmp "$build/$file" "$out/src/build/win32/$file" 2>/dev/null || true
  done
  echo "the zip packed from a second build differs; both are kept under $3" >&2
  return 1
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
  # The sum beside the zip is the zip's.
  (cd "$(dirname "$zip")" && sha256sum --quiet -c SHA256SUMS) ||
    { echo "SHA256SUMS does not match $zip" >&2; status=1; }
  [ $status = 0 ] && echo "$zip holds what it must."
  return $status
}

case ${1:-} in
pack) pack "$2" "$3" ;;
check) check "$2" "$3" ;;
test)
  zip=$(pack "$2" "$3")
  check "$zip" "$2"
  again "$zip" "$2" "$3"
  ;;
"")
  cd "$root"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j2 --target Quillbox
  cmake --build --preset win32 -j2 --target QuillboxCheck 2>/dev/null || true
  pack "$root/build/win32" "$root/build/dist"
  ;;
*) echo "usage: $0 [pack BUILD OUT | check ZIP BUILD | test BUILD OUT]" >&2; exit 2 ;;
esac
