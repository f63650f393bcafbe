#!/usr/bin/env bash
# Runs the end-to-end scenarios for CTest: each scenario in a fresh copy of a prepared Wine prefix,
# under an Xvfb of its own, inside Wine's virtual desktop (so windows have frames and there is a
# task bar), driven by e2e_driver.exe. xkbevd writes a line for every bell the X server rings.
#
#   run.sh WORK prepare  DRIVER_EXE               make WORK/template
#   run.sh WORK scenario DRIVER_EXE QUILLBOX_EXE NAME OUT_ROOT LABEL
#   run.sh WORK cleanup                           remove what the scenarios left in WORK
#
# The template is kept from run to run while Wine and the prefix recipe stay the same (a new one
# takes wineboot 10 to 30 s). OUT_ROOT/e2e-failures/LABEL-NAME/ receives a failing scenario's log
# and screenshots; OUT_ROOT/e2e-shots/LABEL/ the screenshots of the passing ones.
# Exit 77 (CTest: skipped) when the programs are 32-bit and this machine cannot run them.
set -euo pipefail
mkdir -p "$1"
work=$(cd "$1" && pwd)
mode=$2
export WINEPREFIX=$work/template
source "$(dirname "$0")/../../scripts/wine-env.sh"
[ "$mode" = cleanup ] && exec rm -rf "$work"/*.prefix
driver=$3
loader=$(qb_wine_for "$driver")
if [ "$loader" = wine ] && ! qb_can_run_win32; then
  echo "SKIPPED: this machine cannot run 32-bit programs, so $(basename "$driver") cannot run here."
  exit 77
fi
# A Windows path for a Unix one, through drive Z: (the whole Unix file system).
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

if [ "$mode" = prepare ]; then
  # Made again when Wine, the 32-bit support or the recipe of the prefix (qb_prefix_ready) changed.
  stamp="$(/usr/lib/wine/wine64 --version) $(qb_can_run_win32 && echo 32-bit) $(declare -f qb_prefix_ready | sha1sum)"
  if [ "$(cat "$WINEPREFIX/.quillbox-e2e" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
    qb_prefix_ready
    echo "$stamp" >"$WINEPREFIX/.quillbox-e2e"
  fi
  exit 0
fi

program=$4 name=$5 out_root=$6 label=$7
prefix=$work/$name.prefix
out=$work/$name
rm -rf "$prefix" "$out"
mkdir -p "$out" "$prefix"
# The copy shares the template's unchanging program files (hard links) and has its own copy of
# everything else: registry, WIN.INI and the other text files Wine rewrites.
binaries=( \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' -o -iname '*.nls' \) )
(cd "$WINEPREFIX" && find . -type d -print0 | (cd "$prefix" && xargs -0 mkdir -p))
(cd "$WINEPREFIX" && find . -type f "${binaries[@]}" -print0 | xargs -0 -r cp -l --parents -t "$prefix")
(cd "$WINEPREFIX" && find . ! -type d ! "${binaries[@]}" -print0 | xargs -0 -r cp -a --parents -t "$prefix")
export WINEPREFIX=$prefix
qb_start_xvfb
echo "Bell() shell \"echo bell >>'$out/bells'\"" >"$out/xkbevd.cf"
touch "$out/bells"
xkbevd -cfg "$out/xkbevd.cf" >/dev/null 2>&1 &
bells_pid=$!
trap 'set +e; wineserver -k 2>/dev/null; kill $bells_pid 2>/dev/null; qb_stop_xvfb; rm -rf "$prefix"' EXIT
wineserver -p </dev/null >/dev/null 2>&1
# 32-bit Wine under the qemu-i386 emulator is many times slower: the driver waits longer.
if [ "$loader" = wine ] && [ -n "${QB_WIN32_EMULATION:-}" ]; then
  export QB_E2E_TIME_SCALE=${QB_E2E_TIME_SCALE:-6}
fi
log=$out/log.txt
limit=$((150 * ${QB_E2E_TIME_SCALE:-1}))
# The desktop named "shell" has a task bar, where a person finds a minimised program.
status=0
timeout $limit $loader explorer "/desktop=shell,1024x768" "$(windows_path "$driver")" "$name" \
  "$(windows_path "$program")" "$(windows_path "$log")" "$out" </dev/null >"$out/wine.log" 2>&1 ||
  status=$?
if [ $status = 124 ]; then
  import -silent -window root "$out/timeout.png" 2>/dev/null || true
  echo "TIMEOUT: the scenario did not end within $limit s." >>"$log"
fi
cat "$log" 2>/dev/null || true
kept=$out_root/e2e-failures/$label-$name
rm -rf "$kept"
if [[ $(tail -n 1 "$log" | tr -d '\r') =~ ^$name:\ [1-9][0-9]*\ checks\ passed,\ 0\ failed$ ]]; then
  mkdir -p "$out_root/e2e-shots/$label"
  for shot in "$out"/*.png; do
    [ -e "$shot" ] && cp "$shot" "$out_root/e2e-shots/$label/$name-$(basename "$shot")"
  done
  exit 0
fi
mkdir -p "$kept"
cp "$out"/*.png "$log" "$out/wine.log" "$kept/" 2>/dev/null || true
echo "FAILED: the log and screenshots are in $kept"
exit 1
