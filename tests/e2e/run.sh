#!/usr/bin/env bash
# Runs the end-to-end scenarios for CTest: each scenario in a fresh copy of a prepared Wine prefix,
# under an Xvfb of its own, inside Wine's virtual desktop (so windows have frames and there is a
# task bar), driven by e2e_driver.exe. xkbevd writes a line for every bell the X server rings.
#
#   run.sh prepare  WORK DRIVER_EXE SCENARIO...   make WORK/template, check the driver's list
#   run.sh scenario WORK DRIVER_EXE QUILLBOX_EXE NAME OUT_ROOT LABEL
#   run.sh cleanup  WORK                          remove what the scenarios left in WORK
#
# The template is kept from run to run while Wine and the prefix recipe stay the same (a new one
# takes wineboot 10 to 30 s). OUT_ROOT/e2e-failures/LABEL-NAME/ receives a failing scenario's log
# and screenshots; OUT_ROOT/e2e-shots/LABEL/ the screenshots of the passing ones.
# Exit 77 (CTest: skipped) when the programs are 32-bit and this machine cannot run them.
set -euo pipefail
mode=$1
work=$2
mkdir -p "$work"
work=$(cd "$work" && pwd)
template=$work/template
export WINEPREFIX=$template
source "$(dirname "$0")/../../scripts/wine-env.sh"

# A Windows path for a Unix one, through drive Z: (the whole Unix file system).
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

skip_if_32_bit() {
  if [ "$(qb_wine_for "$1")" = wine ] && ! qb_can_run_win32; then
    echo "SKIPPED: this machine cannot run 32-bit programs, so $(basename "$1") cannot run here."
    exit 77
  fi
}

# A copy of the template that shares its unchanging program files (hard links) and has its own
# copy of everything else: registry, WIN.INI and the other text files Wine rewrites.
clone_prefix() {
  local binaries=( \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' -o
                      -iname '*.nls' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.tlb' \) )
  (cd "$1" && find . -type d -print0 | (cd "$2" && xargs -0 mkdir -p))
  (cd "$1" && find . -type f "${binaries[@]}" -print0 | xargs -0 -r cp -l --parents -t "$2")
  (cd "$1" && find . ! -type d ! "${binaries[@]}" -print0 | xargs -0 -r cp -a --parents -t "$2")
}

case $mode in
prepare)
  driver=$3
  shift 3
  skip_if_32_bit "$driver"
  # Made again when Wine, the 32-bit support or the recipe of the prefix (qb_prefix_ready) changed.
  stamp="$(/usr/lib/wine/wine64 --version) 32-bit: $(qb_can_run_win32 && echo yes || echo no)"
  stamp+=" recipe: $(declare -f qb_prefix_ready | sha1sum | cut -c1-12)"
  if [ "$(cat "$template/.quillbox-e2e" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$template" "$template.lock"
    qb_prefix_ready
    echo "$stamp" >"$template/.quillbox-e2e"
  fi
  listed=$($(qb_wine_for "$driver") "$(windows_path "$driver")" --list </dev/null 2>/dev/null |
           tr -d '\r' || true)
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ "$listed" != "$(printf '%s\n' "$@")" ]; then
    echo "The driver's scenarios differ from the tests CMake made of them:"
    diff <(echo "$listed") <(printf '%s\n' "$@") || true
    exit 1
  fi
  echo "Prepared $template; the driver lists the $# scenarios that CTest runs."
  ;;

scenario)
  driver=$3 program=$4 name=$5 out_root=$6 label=$7
  skip_if_32_bit "$driver"
  if [ ! -f "$template/.quillbox-ready" ]; then
    echo "No prepared prefix in $template (run the test e2e.prepare first)."
    exit 1
  fi
  prefix=$work/$name.prefix
  out=$work/$name
  rm -rf "$prefix" "$out"
  mkdir -p "$out" "$prefix"
  clone_prefix "$template" "$prefix"
  export WINEPREFIX=$prefix
  qb_start_xvfb
  echo "Bell() shell \"echo bell >>'$out/bells'\"" >"$out/xkbevd.cf"
  xkbevd -cfg "$out/xkbevd.cf" >/dev/null 2>&1 &
  bells_pid=$!
  finish() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    kill $bells_pid 2>/dev/null || true
    qb_stop_xvfb
    rm -rf "$prefix"
  }
  trap finish EXIT
  touch "$out/bells"
  wineserver -p </dev/null >/dev/null 2>&1
  loader=$(qb_wine_for "$driver")
  # 32-bit Wine under the qemu-i386 emulator is many times slower: the driver waits longer.
  if [ "$loader" = wine ] && [ -n "${QB_WIN32_EMULATION:-}" ]; then
    export QB_E2E_TIME_SCALE=${QB_E2E_TIME_SCALE:-6}
  fi
  log=$out/log.txt
  limit=$((150 * ${QB_E2E_TIME_SCALE:-1}))
  # The desktop named "shell" has a task bar, where a person finds a minimised program.
  status=0
  timeout $limit $loader explorer "/desktop=shell,1024x768" "$(windows_path "$driver")" "$name" \
    "$(windows_path "$program")" "$(windows_path "$log")" "$out" \
    </dev/null >"$out/wine.log" 2>&1 || status=$?
  if [ $status = 124 ]; then
    import -silent -window root "$out/timeout.png" 2>/dev/null || true
    echo "TIMEOUT: the scenario did not end within $limit s." | tee -a "$log"
  fi
  [ -f "$log" ] && cat "$log"
  closing=$(tail -n 1 "$log" 2>/dev/null | tr -d "\r" || true)
  kept=$out_root/e2e-failures/$label-$name
  rm -rf "$kept"
  if [[ $closing =~ ^$name:\ ([1-9][0-9]*)\ checks\ passed,\ 0\ failed$ ]]; then
    for shot in "$out"/*.png; do
      [ -e "$shot" ] || continue
      mkdir -p "$out_root/e2e-shots/$label"
      cp "$shot" "$out_root/e2e-shots/$label/$name-$(basename "$shot")"
    done
    exit 0
  fi
  mkdir -p "$kept"
  cp "$out"/*.png "$log" "$out/wine.log" "$kept/" 2>/dev/null || true
  echo "FAILED: the log and screenshots are in $kept"
  exit 1
  ;;

cleanup)
  (cd "$work" && rm -rf ./*.prefix)
  ;;

*)
  echo "usage: run.sh prepare|scenario|cleanup WORK ..." >&2
  exit 2
  ;;
esac
