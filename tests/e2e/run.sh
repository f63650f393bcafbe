#!/usr/bin/env bash
# Runs the end-to-end scenarios for CTest: each scenario in a fresh copy of a prepared Wine prefix,
# under an Xvfb of its own, inside Wine's virtual desktop (so windows have frames), driven by
# e2e_driver.exe. A failing scenario leaves its log and screenshots in build/e2e-failures/.
#
#   run.sh prepare  WORK DRIVER_EXE SCENARIO...   make WORK/template, check the driver's list
#   run.sh scenario WORK DRIVER_EXE QUILLBOX_EXE NAME OUT_ROOT LABEL
#   run.sh cleanup  WORK                          remove what the scenarios left in WORK
#
# The template is kept from run to run while Wine and the prefix recipe stay the same (a new one
# takes wineboot 10 to 30 s); each scenario still gets a fresh copy of it.
#
# OUT_ROOT/e2e-failures/LABEL-NAME/ receives a failing scenario's log and screenshots;
# OUT_ROOT/e2e-shots/LABEL/ the screenshots a passing scenario saved on purpose.
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

# Seconds, to a tenth, since a time taken with date +%s%N.
seconds_since() {
  local ms=$(( ($(date +%s%N) - $1) / 1000000 ))
  printf '%d.%d' $((ms / 1000)) $((ms % 1000 / 100))
}

skip_if_32_bit() {
  if [ "$(qb_wine_for "$1")" = wine ] && ! qb_can_run_win32; then
    echo "SKIPPED: this machine cannot run 32-bit programs (the kernel refuses them), so $(basename "$1") cannot run under Wine here."
    exit 77
  fi
}

# A copy of the template that shares the template's unchanging program files (hard links) and
# has its own copy of everything else: registry, WIN.INI and the other text files Wine rewrites.
clone_prefix() {
  local from=$1 to=$2
  local binaries=( \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' -o
                      -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' -o
                      -iname '*.nls' -o -iname '*.msstyles' -o -iname '*.ax' -o -iname '*.ds' \) )
  mkdir -p "$to"
  (cd "$from" && find . -type d -print0 | (cd "$to" && xargs -0 mkdir -p))
  (cd "$from" && find . -type f "${binaries[@]}" -print0 | xargs -0 -r cp -l --parents -t "$to")
  (cd "$from" && find . ! -type d ! "${binaries[@]}" -print0 | xargs -0 -r cp -a --parents -t "$to")
}

case $mode in
prepare)
  driver=$3
  shift 3
  skip_if_32_bit "$driver"
  start=$(date +%s%N)
  # Made again when Wine, the 32-bit support or the recipe of the prefix (qb_prefix_ready) changed.
  stamp="$(/usr/lib/wine/wine64 --version) 32-bit: $(qb_can_run_win32 && echo yes || echo no)"
  stamp+=" recipe: $(declare -f qb_prefix_ready | sha1sum | cut -c1-12)"
  if [ "$(cat "$template/.quillbox-e2e" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$template" "$template.lock"
    qb_prefix_ready
    echo "$stamp" >"$template/.quillbox-e2e"
  fi
  loader=$(qb_wine_for "$driver")
  listed=$($loader "$(windows_path "$driver")" --list </dev/null 2>/dev/null | tr -d '\r' || true)
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  echo "Prepared $template in $(seconds_since "$start") s."
  if [ "$listed" != "$(printf '%s\n' "$@")" ]; then
    echo "The driver's scenarios differ from the tests CMake made of them:"
    diff <(echo "$listed") <(printf '%s\n' "$@") || true
    exit 1
  fi
  echo "The driver lists the $# scenarios that CTest runs."
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
  mkdir -p "$out/shots"
  start=$(date +%s%N)
  clone_prefix "$template" "$prefix"
  echo "Cloned the prefix in $(seconds_since "$start") s."
  export WINEPREFIX=$prefix
  qb_start_xvfb
  finish() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    echo "Wine stopped after $(seconds_since "$start") s."
    qb_stop_xvfb
    rm -rf "$prefix"
  }
  trap finish EXIT
  wineserver -p </dev/null >/dev/null 2>&1
  loader=$(qb_wine_for "$driver")
  # 32-bit Wine under the qemu-i386 emulator is many times slower: the driver waits longer.
  if [ "$loader" = wine ] && [ -n "${QB_WIN32_EMULATION:-}" ]; then
    export QB_E2E_TIME_SCALE=${QB_E2E_TIME_SCALE:-6}
  fi
  log=$out/log.txt
  # The desktop named "shell" has a task bar, where a person finds a minimised program.
  $loader explorer "/desktop=shell,1024x768" "$(windows_path "$driver")" "$name" \
    "$(windows_path "$program")" "$(windows_path "$log")" "$out/shots" \
    </dev/null >"$out/wine.log" 2>&1 &
  desktop=$!
  limit=$((150 * ${QB_E2E_TIME_SCALE:-1}))
  timed_out=0
  started=0 ended=0
  for ((i = 0; i < limit * 10; i++)); do
    kill -0 $desktop 2>/dev/null || break
    if [ $started = 0 ] && [ -s "$log" ]; then
      started=1
      echo "The driver started after $(seconds_since "$start") s."
    fi
    if [ $ended = 0 ] && grep -q "checks passed" "$log" 2>/dev/null; then
      ended=1
      echo "The driver ended after $(seconds_since "$start") s."
    fi
    sleep 0.1
  done
  if kill -0 $desktop 2>/dev/null; then
    timed_out=1
    import -window root "$out/shots/timeout.png" 2>/dev/null || true
    echo "TIMEOUT: the scenario did not end within $limit s." | tee -a "$log"
    kill $desktop 2>/dev/null || true
  fi
  wait $desktop 2>/dev/null || true
  echo "The desktop ended after $(seconds_since "$start") s."
  [ -f "$log" ] && cat "$log"
  closing=$(tail -n 1 "$log" 2>/dev/null | tr -d "\r" || true)
  echo "Scenario $name took $(seconds_since "$start") s."
  kept=$out_root/e2e-failures/$label-$name
  rm -rf "$kept"
  if [ $timed_out = 0 ] && [[ $closing =~ ^$name:\ ([0-9]+)\ checks\ passed,\ 0\ failed$ ]] &&
     [ "${BASH_REMATCH[1]}" -gt 0 ]; then
    for shot in "$out"/shots/*.png; do
      [ -e "$shot" ] || continue
      mkdir -p "$out_root/e2e-shots/$label"
      cp "$shot" "$out_root/e2e-shots/$label/$name-$(basename "$shot")"
    done
    exit 0
  fi
  mkdir -p "$kept"
  cp "$out"/shots/*.png "$kept/" 2>/dev/null || true
  cp "$log" "$out/wine.log" "$kept/" 2>/dev/null || true
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
