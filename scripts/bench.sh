#!/usr/bin/env bash
# `make bench`: builds the benchmark program (bench/) for the host and for Windows, times the
# program on the host against winsim and under Wine, and writes build/bench/results.md with one
# reproducing command per row, and the plots build/bench/*.png.
#
#   scripts/bench.sh                  everything
#   scripts/bench.sh row KIND [ARG]   one row again, printed on stdout; KIND is one of
#                                     host-loader N, host-start N, host-copy, wine-loader N,
#                                     wine-start N, wine-copy, wine-run FONTS, footprint
#                                     (N is a line count or "largest"); wine32-loader N,
#                                     wine32-start N, wine32-copy and wine32-run FONTS are the
#                                     wine- rows of the i686 build
#
# Settings, from the environment:
#   QB_BENCH_WIN32      native, emulated or none: how this machine runs 32-bit programs. The script
#                       finds the answer itself unless it is given here. Only "native" times the
#                       i686 build (the product) under Wine, beside the x86_64 build; given on a
#                       machine without native 32-bit support, it runs the i686 rows through
#                       qemu-i386 where it can, which checks the rows and the text but not the
#                       times.
#   QB_BENCH_REPEATS    repeats per figure (3)
#   QB_BENCH_SIZES      list sizes of the loader and start rows ("10 100 1000 largest")
#   QB_BENCH_RUN_FONTS  fonts per timed installation run ("1 10 50")
#
# Every figure that matters is a ratio of measurements taken side by side in one process run;
# absolute times are reported for scale only. results.md says how the script found the machine,
# what it timed and how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/bench
host_build=$root/build/bench-host
export WINEPREFIX=$root/build/bench-prefix
source scripts/wine-env.sh

repeats=${QB_BENCH_REPEATS:-3}
read -r -a sizes <<<"${QB_BENCH_SIZES:-10 100 1000 largest}"
read -r -a run_sizes <<<"${QB_BENCH_RUN_FONTS:-1 10 50}"
copy_repeats=5
callgrind_lines=1000

repeats_for() { echo "$repeats"; }

log() { printf '\n=== %s\n' "$*" >&2; }

# ---------------------------------------------------------------- 32-bit programs

# How this machine runs 32-bit programs, as the script finds it. Sets found to native (the kernel
# starts the 32-bit Wine loader itself), emulated (it runs only through an emulator) or none, and
# found_how to the clause that says what the script saw. Inside the namespace that
# qb_enter_win32_emulation starts, the answer found before it is passed on.
find_win32() {
  local loader=/usr/lib/wine/wine emulator
  if [ -n "${QB_BENCH_FOUND:-}" ]; then
    found=$QB_BENCH_FOUND found_how=$QB_BENCH_FOUND_HOW
  elif [ -n "${QB_WIN32_EMULATION:-}" ]; then
    found=emulated
    found_how="the script was started where 32-bit programs run through qemu-i386 (QB_WIN32_EMULATION is set)"
  elif [ ! -x $loader ]; then
    found=none found_how="32-bit Wine ($loader) is not installed"
  elif qb_can_run_win32; then
    emulator=$(i386_handler)
    if [ -n "$emulator" ]; then
      found=emulated
      found_how="the 32-bit Wine loader started, but binfmt_misc hands i386 programs to $emulator"
    elif [ -r /proc/sys/fs/binfmt_misc/status ]; then
      found=native
      found_how="the kernel started the 32-bit Wine loader itself (binfmt_misc hands i386 programs to no emulator)"
    else
      found=native
      found_how="the kernel started the 32-bit Wine loader (binfmt_misc is not mounted here, so an emulator registered there could not be ruled out)"
    fi
  elif (qb_enter_win32_emulation $loader --version; exit 1) >/dev/null 2>&1; then
    found=emulated
    found_how="the kernel refused the 32-bit Wine loader, which ran only through $(qemu-i386 --version | sed -n '1s/ (.*//p') in a private namespace"
  else
    found=none
    found_how="the kernel refused the 32-bit Wine loader, and qemu-i386 could not run it ($(why_no_emulator))"
  fi
}

# The interpreter of an enabled binfmt_misc rule for 32-bit x86 ELF programs (e_machine 3), if any.
i386_handler() {
  local rule
  for rule in /proc/sys/fs/binfmt_misc/*; do
    case ${rule##*/} in status | register) continue ;; esac
    [ -r "$rule" ] || continue
    awk 'NR == 1 && $1 != "enabled" { exit }
         $1 == "interpreter" { interpreter = $2 }
         $1 == "magic" && $2 ~ /^7f454c4601/ && substr($2, 37, 4) == "0300" { i386 = 1 }
         END { if (i386 && interpreter != "") print interpreter }' "$rule"
  done | head -n 1
}

why_no_emulator() {
  if [ "${QB_NO_WIN32_EMULATION:-0}" = 1 ]; then
    echo "QB_NO_WIN32_EMULATION=1"
  elif ! qb_qemu_i386_usable; then
    echo "no qemu-i386 8.1 or later"
  else
    echo "binfmt_misc in a user namespace needs Linux 6.7"
  fi
}

# The answer the run goes by: QB_BENCH_WIN32 when given, else what the script found. Only native
# times the i686 build; given where 32-bit programs need the emulator, the script starts itself
# again in qb_enter_win32_emulation's namespace, which leaves the rest of the machine untouched.
decide_win32() {
  find_win32
  answer=${QB_BENCH_WIN32:-$found}
  case $answer in
    native | emulated | none) ;;
    *) echo "QB_BENCH_WIN32 is native, emulated or none, not $answer" >&2; exit 2 ;;
  esac
  wine_builds=(win64)
  [ "$answer" = native ] && wine_builds+=(win32)
  if [ "$answer" = native ] && [ "$found" != native ] && [ -z "${QB_WIN32_EMULATION:-}" ]; then
    export QB_BENCH_FOUND=$found QB_BENCH_FOUND_HOW=$found_how
    qb_enter_win32_emulation "$root/scripts/bench.sh" "$@"
  fi
  return 0
}

timed() { [[ " ${wine_builds[*]} " == *" $1 "* ]]; }

# ---------------------------------------------------------------- build

# The program as it was before the loader's listings (every line's .Fot and WIN.INI key looked up
# one by one): the last commit before them, built from the
# repository's history for each Windows build timed, so that before and after start side by side.
# Without that history (an exported tree) the start rows leave it out.
before_commit=ffeb4559b8c9c150566403624f7b1690b3b5eacf
before_build() { echo "$root/build/bench-before-$1"; }

build_before() {
  local preset=$1 src=$root/build/bench-before-src dir
  dir=$(before_build "$preset")
  rm -f "$dir/Quillbox.exe.ok"
  if ! git -C "$root" cat-file -e "$before_commit^{commit}" 2>/dev/null; then
    log "no commit $before_commit in this repository: the start rows go without the program before"
    return 0
  fi
  if [ ! -f "$src/.extracted" ]; then
    rm -rf "$src" && mkdir -p "$src"
    git -C "$root" archive "$before_commit" | tar -x -C "$src"
    touch "$src/.extracted"
  fi
  (cd "$src" && cmake --preset "$preset" -B "$dir") >"$out/configure-before-$preset.log"
  cmake --build "$dir" -j2 --target Quillbox >"$out/build-before-$preset.log"
  touch "$dir/Quillbox.exe.ok"
}

# The host build, and both Windows builds: the benchmark and the plain-scan program only for those
# timed, Quillbox.exe of each for its size.
build() {
  log "build: host (optimised, with symbols), win64 and win32 (timed: ${wine_builds[*]})"
  cmake --preset host -B "$host_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$out/configure-host.log"
  cmake --build "$host_build" -j2 --target qb_bench >"$out/build-host.log"
  local preset targets
  for preset in win64 win32; do
    targets=(Quillbox)
    timed $preset && targets+=(QuillboxPlainScans qb_bench)
    cmake --preset $preset -B "$root/build/bench-$preset" >"$out/configure-$preset.log"
    cmake --build "$root/build/bench-$preset" -j2 --target "${targets[@]}" >"$out/build-$preset.log"
  done
  for preset in "${wine_builds[@]}"; do
    log "build: the program before the listings ($before_commit), $preset"
    build_before "$preset"
  done
}

# ---------------------------------------------------------------- host

host_bench=$host_build/bench/qb_bench

# The host's drive C: for a list of N lines (laid out once).
host_place() {
  local dir=$out/host-place/lines-$1
  if [ ! -f "$dir/.laid-out" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    "$host_bench" layout "$dir" "$1" >/dev/null
    touch "$dir/.laid-out"
  fi
  echo "$dir"
}

host_row() {
  local kind=$1 arg=${2:-}
  case $kind in
    host-loader) "$host_bench" loader "$(host_place "$arg")" "$arg" "$(repeats_for "$arg")" ;;
    host-start) "$host_bench" start "$(host_place "$arg")" "$arg" "$(repeats_for "$arg")" ;;
    host-copy)
      local dir=$out/host-place/copy
      mkdir -p "$dir"
      "$host_bench" copy "$dir" 5
      ;;
  esac
}

# ---------------------------------------------------------------- Wine

wine_started=0

wine_up() {
  [ $wine_started = 1 ] && return 0
  # A wineserver left from an interrupted run would make the warm-up's `wineserver -p` fail.
  wineserver -k 2>/dev/null || true
  # A prefix made where 32-bit programs could not run has no 32-bit half: made again for i686.
  if timed win32 && [ -f "$WINEPREFIX/.quillbox-ready" ] && ! qb_prefix_has_win32; then
    log "the prefix has no 32-bit half: made again"
    rm -rf "$WINEPREFIX"
  fi
  qb_prefix_ready
  qb_start_xvfb >&2
  qb_wine_warm
  wine_started=1
  trap wine_down EXIT
}

wine_down() {
  if [ $wine_started = 1 ]; then
    wineserver -k 2>/dev/null || true
    qb_stop_xvfb
    wine_started=0
  fi
}

# A folder on the prefix's drive C: holding one build's Quillbox.exe, its copy with plain table
# scans, the program before the listings and the benchmark program; prints its Windows path.
wine_folder() {
  local preset=$1 name=$2 build=$root/build/bench-$1 before
  local dir=$WINEPREFIX/drive_c/bench/$preset/$name
  before=$(before_build "$preset")
  mkdir -p "$dir"
  cp "$build/Quillbox.exe" "$build/bench/QuillboxPlainScans.exe" "$build/bench/qb_bench.exe" "$dir/"
  if [ -f "$before/Quillbox.exe.ok" ]; then
    cp "$before/Quillbox.exe" "$dir/QuillboxBefore.exe"
  else
    rm -f "$dir/QuillboxBefore.exe"
  fi
  echo "C:\\bench\\$preset\\$name"
}

# The folder's Linux path, from its Windows path.
wine_dir() {
  local path=${1#C:}
  echo "$WINEPREFIX/drive_c${path//\\//}"
}

# The Linux process id of this prefix's wineserver: the one whose working directory is the
# prefix's server directory, .../server-DEVICE-INODE (both in hex) in Wine's temporary folder.
wineserver_pid() {
  local name pid
  name=server-$(stat -c '%D' "$WINEPREFIX")-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")
  for pid in $(pgrep wineserver); do
    case $(readlink "/proc/$pid/cwd" 2>/dev/null) in
      */"$name") echo "$pid"; return ;;
    esac
  done
  echo 0
}

# Runs the benchmark program of the folder with the Wine loader of its build.
wine_bench() {
  local folder=$1 loader=/usr/lib/wine/wine64
  shift
  [[ $folder == *\\win32\\* ]] && loader=/usr/lib/wine/wine
  # Wine writes CR LF on the console: the rows are taken without the CR.
  "$loader" "$folder\\qb_bench.exe" "$@" </dev/null | tr -d '\r'
}

wine_place() {
  local folder dir
  folder=$(wine_folder "$1" "lines-$2")
  dir=$(wine_dir "$folder")
  if [ ! -f "$dir/.laid-out" ]; then
    wine_bench "$folder" layout "$folder" "$2" >/dev/null
    touch "$dir/.laid-out"
  fi
  echo "$folder"
}

# The real fonts a run installs, under the names the run's list gives them.
wine_run_folder() {
  local count=$2 folder dir
  folder=$(wine_folder "$1" "run-$count")
  dir=$(wine_dir "$folder")
  mapfile -t fonts < <(find /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype/liberation \
                         -name '*.ttf' 2>/dev/null | sort)
  if [ ${#fonts[@]} -eq 0 ]; then
    echo "no TrueType fonts in /usr/share/fonts (fonts-dejavu-core, fonts-liberation)" >&2
    return 1
  fi
  local i
  for i in $(seq 1 "$count"); do
    cp "${fonts[$(( (i - 1) % ${#fonts[@]} ))]}" "$dir/$(printf 'R%d_%02d.TTF' "$count" "$i")"
  done
  echo "$folder"
}

# One row of one Windows build: `wine_row PRESET KIND [ARG]`, KIND without its wine- prefix.
wine_row() {
  local preset=$1 kind=$2 arg=${3:-} folder
  wine_up
  case $kind in
    loader)
      folder=$(wine_place "$preset" "$arg")
      wine_bench "$folder" loader "$folder" "$arg" "$(repeats_for "$arg")"
      ;;
    start)
      folder=$(wine_place "$preset" "$arg")
      local programs=(Quillbox.exe QuillboxPlainScans.exe)
      [ -f "$(before_build "$preset")/Quillbox.exe.ok" ] && programs+=(QuillboxBefore.exe)
      wine_bench "$folder" start "$folder" "$arg" "$(repeats_for "$arg")" "${programs[@]}"
      ;;
    copy)
      folder=$(wine_folder "$preset" copy)
      wine_bench "$folder" copy "$folder" $copy_repeats
      ;;
    run)
      folder=$(wine_run_folder "$preset" "$arg")
      wine_bench "$folder" run "$folder" "$arg" "$(wineserver_pid)"
      ;;
    *) echo "unknown row kind wine-$kind" >&2; exit 2 ;;
  esac
}

# ---------------------------------------------------------------- footprint

footprint_row() {
  local preset exe
  for preset in win32 win64; do
    exe=$root/build/bench-$preset/Quillbox.exe
    printf '| Quillbox.exe (%s) | %d bytes | %s |\n' "$preset" "$(stat -c %s "$exe")" \
      "$(file -b "$exe" | cut -d, -f1)"
  done
}

row() {
  case $1 in
    host-*) host_row "$@" ;;
    wine-*) wine_row win64 "${1#wine-}" "${@:2}" ;;
    wine32-*) wine_row win32 "${1#wine32-}" "${@:2}" ;;
    footprint) footprint_row ;;
    *) echo "unknown row kind $1" >&2; exit 2 ;;
  esac
}

# ---------------------------------------------------------------- everything

# Runs one row, keeps its table lines (with the reproducing command added) in $out/rows/TABLE and
# its plot points in $out/data/TABLE.dat.
collect() {
  local table=$1
  shift
  local command="scripts/bench.sh row $*"
  # An i686 row that the switch asked for needs the switch again.
  [[ $1 == wine32-* && -n ${QB_BENCH_WIN32:-} ]] && command="QB_BENCH_WIN32=$QB_BENCH_WIN32 $command"
  log "$command"
  local output
  if ! output=$(row "$@"); then
    log "FAILED: $command"
    printf '%s\n' "$output" >&2
    return 0
  fi
  printf '%s\n' "$output" >&2
  printf '%s\n' "$output" | grep '^| ' | sed "s#\$# \`$command\` |#" >>"$out/rows/$table"
  printf '%s\n' "$output" | grep '^floor-row ' | sed 's/^floor-row //' |
    sed "s#\$# \`$command\` |#" >>"$out/rows/$table-floor" || true
  printf '%s\n' "$output" | grep '^plot ' | sed "s/^plot /$1 /" >>"$out/data/$table.dat" || true
}

# One LoadFontList of $callgrind_lines lines under callgrind, counted inside LoadFontList only,
# with the name index and with plain scans; then each routine's inclusive count from
# callgrind_annotate.
callgrind_profile() {
  local lines=$callgrind_lines dir variant
  dir=$(host_place $lines)
  for variant in index plain; do
    log "callgrind: LoadFontList on the host, $lines lines, $variant"
    valgrind --tool=callgrind '--toggle-collect=LoadFontList*' \
      --callgrind-out-file="$out/callgrind.$variant.out" "$host_bench" load "$dir" $lines \
      "$variant" >/dev/null 2>"$out/callgrind.$variant.log"
    callgrind_annotate --inclusive=yes --threshold=100 --auto=no "$out/callgrind.$variant.out" \
      >"$out/callgrind.$variant.txt"
  done
  {
    echo "| routine (host build, winsim) | instructions, name index | share | instructions, plain scans | share |"
    echo "|---|---:|---:|---:|---:|"
    local name
    for name in LoadFontList FindByFileName FindByFontName lstrcmpiA AppendFontItem \
      GlobalReAlloc IsPlainShortName OpenFile GetFileLength _lopen FindEntry GetProfileStringA; do
      printf '| %s |' "$name"
      for variant in index plain; do
        # The routine's first line that names it within the benchmark program's own object.
        awk -v name="$name" -v object="[$host_bench]" '
          index($0, object) && (index($0, ":" name "(") || index($0, "::" name "(")) {
            count = $1; match($0, /\( *[0-9.]+%\)/); share = substr($0, RSTART + 1, RLENGTH - 2)
            gsub(/ /, "", share); printf " %s | %s |", count, share; found = 1; exit }
          END { if (!found) printf " - | - |" }' "$out/callgrind.$variant.txt"
      done
      echo
    done
  } >"$out/rows/callgrind"
}

# One curve of a plot: `curve DATA KIND X Y TITLE [PROGRAM]`, the points of rows of KIND (and
# of PROGRAM, in the start data) in $out/data/DATA.dat, columns X against Y.
curve() {
  local test="strcol(1) eq \"$2\""
  [ -n "${6:-}" ] && test+=" && strcol(2) eq \"$6\""
  printf '"%s" using (%s ? $%s : 1/0):%s with linespoints title "%s"' \
    "$out/data/$1.dat" "$test" "$3" "$4" "$5"
}

# The curves joined into one plot command.
plot_of() {
  local IFS=,
  echo "plot $*"
}

plots() {
  log "plots"
  local loader=() start=() copy=() preset kind name
  for preset in "${wine_builds[@]}"; do
    kind=wine name="Wine"
    [ "$preset" = win32 ] && kind=wine32 name="Wine i686"
    [ ${#wine_builds[@]} -gt 1 ] && [ "$preset" = win64 ] && name="Wine x86_64"
    loader+=("$(curve loader $kind-loader 2 3 "$name: LoadFontList")"
             "$(curve loader $kind-loader 2 5 "$name: plain scans")"
             "$(curve loader $kind-loader 2 4 "$name: floor")")
    start+=("$(curve start $kind-start 3 4 "$name: Quillbox.exe" Quillbox.exe)"
            "$(curve start $kind-start 3 4 "$name: plain scans" QuillboxPlainScans.exe)"
            "$(curve start $kind-start 3 4 "$name: before" QuillboxBefore.exe)"
            "$(curve start $kind-start 3 5 "$name: floor" Quillbox.exe)")
    copy+=("$(curve copy $kind-copy 2 3 "$name: CopyFontFile")"
           "$(curve copy $kind-copy 2 4 "$name: CopyFileA")"
           "$(curve copy $kind-copy 2 5 "$name: 1 MiB loop")")
  done
  loader+=("$(curve loader host-loader 2 3 "host: LoadFontList")"
           "$(curve loader host-loader 2 5 "host: plain scans")"
           "$(curve loader host-loader 2 4 "host: floor")")
  start+=("$(curve start host-start 3 4 "host: RunProgram" RunProgram)"
          "$(curve start host-start 3 4 "host: plain scans" RunProgramPlainScans)"
          "$(curve start host-start 3 5 "host: floor" RunProgram)")
  copy+=("$(curve copy host-copy 2 3 "host: CopyFontFile")"
         "$(curve copy host-copy 2 4 "host: CopyFileA")"
         "$(curve copy host-copy 2 5 "host: 1 MiB loop")")
  local terminal="pngcairo size 900,600 font 'DejaVu Sans,10'"
  gnuplot <<EOF
set terminal $terminal
set logscale xy
set grid
set key top left
set xlabel "lines in Quillbox.Lst"
set ylabel "seconds"
set output "$out/loader-scaling.png"
set title "LoadFontList in process against the floor (the three lookups per line)"
$(plot_of "${loader[@]}")
set output "$out/start-to-dialog.png"
set title "Start to selection dialog shown, against the floor"
$(plot_of "${start[@]}")
set output "$out/copy.png"
set title "Seconds per copy"
set xlabel "file size (bytes)"
$(plot_of "${copy[@]}")
EOF
}

table() {
  local header=$1 separator=$2 file=$out/rows/$3
  echo "$header"
  echo "$separator"
  if [ -f "$file" ]; then cat "$file"; else echo "(no rows: see the log above)"; fi
}

# A value from a build directory's CMake cache.
cache_value() {
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt" 2>/dev/null
}

# What the run was: who started it, when, for how long, on what, with which settings.
made_sentences() {
  local by=scripts/bench.sh settings="" name seconds=$((SECONDS - started_at))
  [ -n "${MAKELEVEL:-}" ] && by="make bench"
  echo "Made by \`$by\` on $(date -u '+%Y-%m-%d %H:%M UTC'), in $((seconds / 60)) min $((seconds % 60)) s,"
  echo "with $(nproc) processors (load average over a minute: $load_at_start at the start,"
  echo "$(cut -d' ' -f1 /proc/loadavg) at the end) and $(/usr/lib/wine/wine64 --version 2>/dev/null || echo "no Wine")."
  for name in QB_BENCH_WIN32 QB_BENCH_REPEATS QB_BENCH_SIZES QB_BENCH_RUN_FONTS; do
    [ -n "${!name:-}" ] && settings+=" $name=\"${!name}\""
  done
  [ -n "$settings" ] && echo "Settings given:$settings."
  return 0
}

# Which Windows builds were timed, and why: the answer, and how the script found the machine.
windows_sentences() {
  local i686_rows
  i686_rows=$(cat "$out"/rows/* 2>/dev/null | grep -c '^| Wine (i686) |' || true)
  if [ "$answer" != native ]; then
    if [ -n "${QB_BENCH_WIN32:-}" ]; then
      echo "Windows rows: the x86_64 build under Wine only, as QB_BENCH_WIN32=$answer asked."
      echo "The script found that $found_how."
    else
      echo "Windows rows: the x86_64 build under Wine only, since $found_how."
      echo "The i686 build (the product) is timed where 32-bit programs run natively."
    fi
    return 0
  fi
  if [ -n "${QB_BENCH_WIN32:-}" ]; then
    echo "Windows rows: the i686 build (the product) and the x86_64 build under Wine, side by side"
    echo "in one run, as QB_BENCH_WIN32=native asked."
    echo "The script found that $found_how."
  else
    echo "Windows rows: the i686 build (the product) and the x86_64 build under Wine, side by side"
    echo "in one run, since $found_how."
  fi
  if [ "$found" = emulated ]; then
    echo "**The i686 rows ran through that emulator: their times are the emulator's, not the"
    echo "program's.** /proc names the emulator's process rather than the i686 program, so what is"
    echo "read there by the program's name (its peak resident set and processor time) shows -."
  fi
  if [ "$i686_rows" = 0 ]; then echo "No i686 row was obtained (see the log)."; fi
  return 0
}

# The program before the listings, as far as it was built.
before_sentence() {
  local preset built=()
  for preset in "${wine_builds[@]}"; do
    [ -f "$(before_build "$preset")/Quillbox.exe.ok" ] && built+=("$preset")
  done
  if [ ${#built[@]} -gt 0 ]; then
    echo "QuillboxBefore.exe is the program before the listings, built (${built[*]}) from commit"
    echo "${before_commit:0:10} (each line's .Fot and WIN.INI key looked up one by one)."
  else
    echo "The program before the listings (commit ${before_commit:0:10}) was not built: this"
    echo "repository does not hold that commit."
  fi
}

report() {
  {
    echo "# Quillbox benchmarks"
    echo
    made_sentences
    windows_sentences
    echo "Host rows: the same sources against winsim, built as $(cache_value "$host_build" CMAKE_BUILD_TYPE)."
    echo "Windows builds: $(cache_value "$root/build/bench-win64" CMAKE_BUILD_TYPE), with mingw-w64."
    if [ "$repeats" = 1 ]; then
      echo "Each figure is one measurement unless said otherwise; ratios are taken between"
    else
      echo "Each figure is the median of $repeats repeats unless said otherwise; ratios are taken between"
    fi
    echo "measurements made side by side in one process run."
    echo "Times are in milliseconds unless marked µs."
    echo
    echo "## 1. Loader scaling"
    echo
    echo "### LoadFontList in process, against the floor"
    echo
    echo "The floor is the three lookups a line needs, made with the bare platform calls in the same"
    echo "process just before the loads (open and seek the font file, look for the .Fot, one WIN.INI"
    echo "lookup). LoadFontList runs with the name index (the program now) and with plain scans of"
    echo "the whole table for every lookup (as before the index), side by side. The Install"
    echo "columns time what Install does with every item selected: one FindByFontName per item. The"
    echo "step columns time the loader's own steps one by one (with the index), in one further pass."
    echo
    table "| platform | lines | LoadFontList | plain scans | floor | load / floor | plain / floor | load per line (µs) | floor per line (µs) | Install mapping | Install mapping, plain scans | file-name scans | font-name scans | growth (GlobalReAlloc) | 8.3 test (IsPlainShortName) | three lookups | command |" \
      "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|" loader
    echo
    echo "### The floor's three lookups, per line (µs)"
    echo
    echo "Beside them, not part of the floor: one parse of the name in the root of the Windows drive,"
    echo "by OpenFile with OF_PARSE (the 8.3 test made two per line before) and by GetFullPathNameA"
    echo "(which it makes now: the same names, without OF_PARSE's query of the drive's type)."
    echo
    table "| platform | lines | font file: open, seek, close | .Fot: failed open | WIN.INI key | all three (the floor) | one OF_PARSE | one GetFullPathNameA | command |" \
      "|---|---:|---:|---:|---:|---:|---:|---:|---|" loader-floor
    echo
    echo "### Start to selection dialog shown"
    echo
    echo "Under Wine: from CreateProcessA until the dialog with the font list is visible, timed by"
    echo "the same build's qb_bench in the program's folder, which measures the floor just before"
    echo "each start; QuillboxPlainScans.exe is the same program with plain table scans (as before"
    echo "the index)."
    before_sentence
    echo "On the host: RunProgram in process until its message loop first waits with the dialog"
    echo "shown, with the index and with plain scans."
    echo
    table "| platform | program | lines | start to dialog | floor | start / floor | peak working set (Linux VmHWM) | command |" \
      "|---|---|---:|---:|---:|---:|---:|---|" start
    echo
    echo "### Where the time goes (callgrind, host, $callgrind_lines lines)"
    echo
    echo "One load each way, instructions counted inside LoadFontList only"
    echo "(\`--toggle-collect=LoadFontList\`); inclusive counts overlap (lstrcmpiA is the scans'"
    echo "comparison, FindEntry is winsim's directory search inside every file call). winsim's"
    echo "GlobalReAlloc moves the block at every growth, on purpose (stale addresses show), so growth"
    echo "copies the whole table each time on the host (see the growth column above)."
    echo "Full output: build/bench/callgrind.index.txt and callgrind.plain.txt."
    echo
    if [ -f "$out/rows/callgrind" ]; then cat "$out/rows/callgrind"; else echo "(not run)"; fi
    echo
    echo "## 2. Copy throughput"
    echo
    echo "Per copy, to a new file (as in an installation; the destination is deleted beforehand,"
    echo "untimed); each of $copy_repeats repeats copies the same source with the three methods in turn"
    echo "(files below 8 MiB are copied repeatedly within one sample); medians of the $copy_repeats. Ratios"
    echo "above 1 mean CopyFontFile is slower."
    echo
    table "| platform | file | CopyFontFile | CopyFileA | 1 MiB _lread/_lwrite loop | CopyFontFile / CopyFileA | CopyFontFile / loop | CopyFontFile MiB/s | command |" \
      "|---|---:|---:|---:|---:|---:|---:|---:|---|" copy
    echo
    echo "## 3. Per-font cost beyond the pacing (Wine)"
    echo
    echo "Quillbox.exe installs real TrueType fonts, every one selected; the run is timed from the"
    echo "Install command until the summary box appears. Beyond the pacing: (run - 500 ms x fonts) /"
    echo "fonts. Processor time over the same span, from Linux's /proc (Wine's GetProcessTimes does"
    echo "not report another process's time): of Quillbox.exe, and of the prefix's wineserver, which"
    echo "answers each PeekMessageA of the pump's polling loop. One run each."
    echo
    table "| platform | fonts | run | beyond the pacing, per font | processor time per font: Quillbox.exe | per font: wineserver | share of the run: Quillbox.exe | share: wineserver | failure boxes | command |" \
      "|---|---:|---:|---:|---:|---:|---:|---:|---:|---|" run
    echo
    echo "## 4. Footprint"
    echo
    table "| executable | size | format | command |" "|---|---:|---|---|" footprint
    echo
    echo "Peak working set: see the start table's last column."
    echo
    echo "## Plots"
    echo
    echo "- loader-scaling.png: LoadFontList (with the index and with plain scans) and the floor"
    echo "  against the number of lines"
    echo "- start-to-dialog.png: start to dialog (with the index and with plain scans) and the floor"
    echo "  against the number of lines"
    echo "- copy.png: seconds per copy against file size"
  } >"$out/results.md"
}

# A Wine row of each build timed, the i686 row next to the x86_64 one: `collect_wine TABLE KIND
# [ARG]`, KIND without its wine- prefix.
collect_wine() {
  local table=$1 kind=$2
  shift 2
  collect "$table" "wine-$kind" "$@"
  if timed win32; then collect "$table" "wine32-$kind" "$@"; fi
}

main() {
  decide_win32 "$@"
  started_at=$SECONDS
  load_at_start=$(cut -d' ' -f1 /proc/loadavg)
  mkdir -p "$out"
  log "32-bit programs: $found, since $found_how; timed under Wine: ${wine_builds[*]}"
  if [ "${1:-}" = row ] && [[ ${2:-} == wine32-* ]] && ! timed win32; then
    echo "$2: the i686 build is timed where 32-bit programs run natively" \
      "(QB_BENCH_WIN32=native times it all the same)" >&2
    exit 2
  fi
  build
  if [ "${1:-}" = row ]; then
    shift
    row "$@"
    return
  fi
  rm -rf "$out/rows" "$out/data"
  mkdir -p "$out/rows" "$out/data"
  local n
  for n in "${sizes[@]}"; do collect loader host-loader "$n"; done
  for n in "${sizes[@]}"; do collect start host-start "$n"; done
  collect copy host-copy
  callgrind_profile
  wine_up
  for n in "${sizes[@]}"; do collect_wine loader loader "$n"; done
  for n in "${sizes[@]}"; do collect_wine start start "$n"; done
  collect_wine copy copy
  for n in "${run_sizes[@]}"; do collect_wine run run "$n"; done
  collect footprint footprint
  wine_down
  plots
  report
  log "written: $out/results.md and $out/*.png"
}

main "$@"
