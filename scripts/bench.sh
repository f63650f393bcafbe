#!/usr/bin/env bash
# `make bench`: builds the benchmark program (bench/) for the host and for Windows, times the
# program on both (the host against winsim, Windows under Wine), and writes build/bench/results.md
# with one reproducing command per row, and the plots build/bench/*.png.
#
#   scripts/bench.sh                  everything (about ten minutes)
#   scripts/bench.sh row KIND [ARG]   one row again, printed on stdout; KIND is one of
#                                     host-loader N, host-start N, host-copy, wine-loader N,
#                                     wine-start N, wine-copy, wine-run FONTS, footprint
#                                     (N is a line count or "largest")
#
# Windows figures come from the x86_64 build under Wine: this machine cannot run 32-bit programs,
# and an emulated one could not be timed. Every figure that matters is a ratio of measurements
# taken side by side in one process run; absolute times are reported for scale only.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/bench
host_build=$root/build/bench-host
win_build=$root/build/bench-win64
win32_build=$root/build/bench-win32
export WINEPREFIX=$root/build/bench-prefix
source scripts/wine-env.sh

repeats=${QB_BENCH_REPEATS:-3}
sizes=(10 100 1000 largest)
run_sizes=(1 10 50)

repeats_for() { echo "$repeats"; }

log() { printf '\n=== %s\n' "$*" >&2; }

# The program as it was before its work at scale (plain table scans, two OF_PARSE per line, a
# list box that redrew after every item): the last commit before the name index, built from the
# repository's history so that before and after start side by side. Without that history (an
# exported tree) the start rows leave it out.
before_commit=c7bf0a57df98c5e0b8031c7c39e2dd7b246e2dd5
before_build=$root/build/bench-before-win64

build_before() {
  local src=$root/build/bench-before-src
  rm -f "$before_build/Quillbox.exe.ok"
  if ! git -C "$root" cat-file -e "$before_commit^{commit}" 2>/dev/null; then
    log "no commit $before_commit in this repository: the start rows go without the program before"
    return 0
  fi
  if [ ! -f "$src/.extracted" ]; then
    rm -rf "$src" && mkdir -p "$src"
    git -C "$root" archive "$before_commit" | tar -x -C "$src"
    touch "$src/.extracted"
  fi
  (cd "$src" && cmake --preset win64 -B "$before_build") >"$out/configure-before.log"
  cmake --build "$before_build" -j2 --target Quillbox >"$out/build-before.log"
  touch "$before_build/Quillbox.exe.ok"
}

build() {
  log "build: host (optimised, with symbols), win64, and win32 for its size"
  cmake --preset host -B "$host_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$out/configure-host.log"
  cmake --build "$host_build" -j2 --target qb_bench >"$out/build-host.log"
  cmake --preset win64 -B "$win_build" >"$out/configure-win64.log"
  cmake --build "$win_build" -j2 --target Quillbox QuillboxPlainScans qb_bench \
    >"$out/build-win64.log"
  cmake --preset win32 -B "$win32_build" >"$out/configure-win32.log"
  cmake --build "$win32_build" -j2 --target Quillbox >"$out/build-win32.log"
  log "build: the program before its work at scale ($before_commit)"
  build_before
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

wine64=/usr/lib/wine/wine64
wine_started=0

wine_up() {
  [ $wine_started = 1 ] && return 0
  qb_prefix_ready
  # A wineserver left from an interrupted run would make the warm-up's `wineserver -p` fail.
  wineserver -k 2>/dev/null || true
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

# A folder on the prefix's drive C: holding Quillbox.exe, its copy with plain table scans and the
# benchmark program; prints its Windows path.
wine_folder() {
  local name=$1
  local dir=$WINEPREFIX/drive_c/bench/$name
  mkdir -p "$dir"
  cp "$win_build/Quillbox.exe" "$win_build/bench/QuillboxPlainScans.exe" \
    "$win_build/bench/qb_bench.exe" "$dir/"
  if [ -f "$before_build/Quillbox.exe.ok" ]; then
    cp "$before_build/Quillbox.exe" "$dir/QuillboxBefore.exe"
  else
    rm -f "$dir/QuillboxBefore.exe"
  fi
  echo "C:\\bench\\$name"
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

wine_bench() {
  local folder=$1
  shift
  # Wine writes CR LF on the console: the rows are taken without the CR.
  "$wine64" "$folder\\qb_bench.exe" "$@" </dev/null | tr -d '\r'
}

wine_place() {
  local folder
  folder=$(wine_folder "lines-$1")
  local dir=$WINEPREFIX/drive_c/bench/lines-$1
  if [ ! -f "$dir/.laid-out" ]; then
    wine_bench "$folder" layout "$folder" "$1" >/dev/null
    touch "$dir/.laid-out"
  fi
  echo "$folder"
}

# The real fonts a run installs, under the names the run's list gives them.
wine_run_folder() {
  local count=$1 folder
  folder=$(wine_folder "run-$count")
  local dir=$WINEPREFIX/drive_c/bench/run-$count
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

wine_row() {
  local kind=$1 arg=${2:-} folder
  wine_up
  case $kind in
    wine-loader)
      folder=$(wine_place "$arg")
      wine_bench "$folder" loader "$folder" "$arg" "$(repeats_for "$arg")"
      ;;
    wine-start)
      folder=$(wine_place "$arg")
      local programs=(Quillbox.exe QuillboxPlainScans.exe)
      [ -f "$before_build/Quillbox.exe.ok" ] && programs+=(QuillboxBefore.exe)
      wine_bench "$folder" start "$folder" "$arg" "$(repeats_for "$arg")" "${programs[@]}"
      ;;
    wine-copy)
      folder=$(wine_folder copy)
      wine_bench "$folder" copy "$folder" 5
      ;;
    wine-run)
      folder=$(wine_run_folder "$arg")
      wine_bench "$folder" run "$folder" "$arg" "$(wineserver_pid)"
      ;;
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
    wine-*) wine_row "$@" ;;
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

# One LoadFontList of 1,000 lines under callgrind, counted inside LoadFontList only, with the
# name index and with plain scans; then each routine's inclusive count from callgrind_annotate.
callgrind_profile() {
  local lines=1000 dir variant
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

plots() {
  log "plots"
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
plot "$out/data/loader.dat" using (strcol(1) eq "wine-loader" ? \$2 : 1/0):3 with linespoints title "Wine: LoadFontList", \
     "$out/data/loader.dat" using (strcol(1) eq "wine-loader" ? \$2 : 1/0):5 with linespoints title "Wine: plain scans", \
     "$out/data/loader.dat" using (strcol(1) eq "host-loader" ? \$2 : 1/0):5 with linespoints title "host: plain scans", \
     "$out/data/loader.dat" using (strcol(1) eq "wine-loader" ? \$2 : 1/0):4 with linespoints title "Wine: floor", \
     "$out/data/loader.dat" using (strcol(1) eq "host-loader" ? \$2 : 1/0):3 with linespoints title "host: LoadFontList", \
     "$out/data/loader.dat" using (strcol(1) eq "host-loader" ? \$2 : 1/0):4 with linespoints title "host: floor"
set output "$out/start-to-dialog.png"
set title "Start to selection dialog shown, against the floor"
plot "$out/data/start.dat" using (strcol(2) eq "Quillbox.exe" ? \$3 : 1/0):4 with linespoints title "Wine: Quillbox.exe", \
     "$out/data/start.dat" using (strcol(2) eq "QuillboxPlainScans.exe" ? \$3 : 1/0):4 with linespoints title "Wine: plain scans", \
     "$out/data/start.dat" using (strcol(2) eq "QuillboxBefore.exe" ? \$3 : 1/0):4 with linespoints title "Wine: before", \
     "$out/data/start.dat" using (strcol(2) eq "RunProgramPlainScans" ? \$3 : 1/0):4 with linespoints title "host: plain scans", \
     "$out/data/start.dat" using (strcol(2) eq "Quillbox.exe" ? \$3 : 1/0):5 with linespoints title "Wine: floor", \
     "$out/data/start.dat" using (strcol(2) eq "RunProgram" ? \$3 : 1/0):4 with linespoints title "host: RunProgram", \
     "$out/data/start.dat" using (strcol(2) eq "RunProgram" ? \$3 : 1/0):5 with linespoints title "host: floor"
set output "$out/copy.png"
set title "Seconds per copy"
set xlabel "file size (bytes)"
plot "$out/data/copy.dat" using (strcol(1) eq "wine-copy" ? \$2 : 1/0):3 with linespoints title "Wine: CopyFontFile", \
     "$out/data/copy.dat" using (strcol(1) eq "wine-copy" ? \$2 : 1/0):4 with linespoints title "Wine: CopyFileA", \
     "$out/data/copy.dat" using (strcol(1) eq "wine-copy" ? \$2 : 1/0):5 with linespoints title "Wine: 1 MiB loop", \
     "$out/data/copy.dat" using (strcol(1) eq "host-copy" ? \$2 : 1/0):3 with linespoints title "host: CopyFontFile", \
     "$out/data/copy.dat" using (strcol(1) eq "host-copy" ? \$2 : 1/0):4 with linespoints title "host: CopyFileA", \
     "$out/data/copy.dat" using (strcol(1) eq "host-copy" ? \$2 : 1/0):5 with linespoints title "host: 1 MiB loop"
EOF
}

table() {
  local header=$1 separator=$2 file=$out/rows/$3
  echo "$header"
  echo "$separator"
  if [ -f "$file" ]; then cat "$file"; else echo "(no rows: see the log above)"; fi
}

report() {
  local wine_version
  wine_version=$("$wine64" --version 2>/dev/null || echo "Wine")
  {
    echo "# Quillbox benchmarks"
    echo
    echo "Made by \`make bench\` on $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) processors, $wine_version."
    echo "Windows rows: the x86_64 build under Wine (this machine cannot run 32-bit programs)."
    echo "Host rows: the same sources against winsim, built with optimisation (RelWithDebInfo)."
    echo "Each figure is the median of $repeats repeats unless said"
    echo "otherwise; ratios are taken between measurements made side by side in one process run."
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
    echo "qb_bench in the program's folder, which measures the floor just before each start;"
    echo "QuillboxPlainScans.exe is the same program with plain table scans (as before the index);"
    echo "QuillboxBefore.exe is the program before its work at scale, built from commit"
    echo "${before_commit:0:10} (plain scans, two OF_PARSE per line, a list box drawn after every item). On"
    echo "the host: RunProgram in process until its message loop first waits with the dialog shown,"
    echo "with the index and with plain scans."
    echo
    table "| platform | program | lines | start to dialog | floor | start / floor | peak working set (Linux VmHWM) | command |" \
      "|---|---|---:|---:|---:|---:|---:|---|" start
    echo
    echo "### Where the time goes (callgrind, host, 1,000 lines)"
    echo
    echo "One load each way, instructions counted inside LoadFontList only"
    echo "(\`--toggle-collect=LoadFontList\`); inclusive counts overlap (lstrcmpiA is the scans'"
    echo "comparison, FindEntry is winsim's directory search inside every file call). winsim's"
    echo "GlobalReAlloc moves the block at every growth, on purpose (stale addresses show), so growth"
    echo "copies the whole table each time and costs the host more than Windows or Wine (see the"
    echo "growth column above)."
    echo "Full output: build/bench/callgrind.index.txt and callgrind.plain.txt."
    echo
    if [ -f "$out/rows/callgrind" ]; then cat "$out/rows/callgrind"; else echo "(not run)"; fi
    echo
    echo "## 2. Copy throughput"
    echo
    echo "Per copy, to a new file (as in an installation; the destination is deleted beforehand,"
    echo "untimed); each repeat copies the same source with the three methods in turn (files below"
    echo "8 MiB are copied repeatedly within one sample). Ratios above 1 mean CopyFontFile is slower."
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
    echo "Peak working set with the largest list: see the start table (Quillbox.exe, largest)."
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

main() {
  mkdir -p "$out"
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
  for n in "${sizes[@]}"; do collect loader wine-loader "$n"; done
  for n in "${sizes[@]}"; do collect start wine-start "$n"; done
  collect copy wine-copy
  for n in "${run_sizes[@]}"; do collect run wine-run "$n"; done
  collect footprint footprint
  wine_down
  plots
  report
  log "written: $out/results.md and $out/*.png"
}

main "$@"
