#!/usr/bin/env bash
# `make bench`: builds the benchmarks (bench/) with the Windows presets, times Quillbox under Wine
# against floors measured in the same run, and writes build/bench/results.md (one reproducing
# command per row) and the plots build/bench/*.png.
#
#   scripts/bench.sh                      everything
#   scripts/bench.sh row BUILD KIND ARG   one row again, on stdout. BUILD: win32 or win64. KIND:
#                                         loader or start (ARG: lines, or "largest" for a list of
#                                         65,000 bytes), or run (ARG: fonts installed)
#
# Settings, from the environment (for a shorter run):
#   QB_BENCH_SIZES      list sizes of the loader and start rows ("100 1000 largest")
#   QB_BENCH_REPEATS    repeats per loader and start row; medians are reported (5)
#   QB_BENCH_RUN_FONTS  fonts per timed installation run ("1 10 50")
#   QB_BENCH_WIN32      "none" leaves the i686 build out even where 32-bit programs run natively
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD out=$PWD/build/bench
export WINEPREFIX=$root/build/bench-prefix
# Everything runs inside scripts/with-wine.sh: the private prefix, an Xvfb, a running wineserver.
[ -n "${QB_BENCH_IN_WINE:-}" ] || QB_BENCH_IN_WINE=1 exec scripts/with-wine.sh "$0" "$@"
source scripts/wine-env.sh

repeats=${QB_BENCH_REPEATS:-5}
read -r -a sizes <<<"${QB_BENCH_SIZES:-100 1000 largest}"
read -r -a run_fonts <<<"${QB_BENCH_RUN_FONTS:-1 10 50}"
failed=0

log() { printf '\n=== %s\n' "$*" >&2; }

# The i686 build (the product) is timed beside the x86_64 build where the kernel runs 32-bit
# programs itself; with-wine.sh runs them through qemu-i386 elsewhere, whose times say nothing.
builds=(win64)
if [ "${QB_BENCH_WIN32:-}" = none ]; then
  why_builds="x86_64 only: QB_BENCH_WIN32=none left the i686 build out."
elif [ -n "${QB_WIN32_EMULATION:-}" ] || ! qb_can_run_win32; then
  why_builds="x86_64 only: 32-bit programs do not run natively here (qb_can_run_win32 failed, or they run through qemu-i386)."
elif ! qb_prefix_has_win32; then
  why_builds="x86_64 only: the prefix $WINEPREFIX has no 32-bit half (delete it to have it made again)."
else
  builds=(win32 win64)
  why_builds="the i686 build (the product) and the x86_64 build, side by side: qb_can_run_win32 found that 32-bit Wine runs natively."
fi

# Builds the benchmarks and the program of each build and copies them into its scratch folder,
# C:\qbbench\BUILD on the prefix's drive C:.
build() {
  local preset dir
  mkdir -p "$out"
  for preset in "${builds[@]}"; do
    log "build: $preset"
    { cmake --preset "$preset" && cmake --build --preset "$preset" --target Quillbox qb_bench qb_hello; } \
      >"$out/build-$preset.log" 2>&1 || { tail -n 30 "$out/build-$preset.log" >&2; exit 1; }
    dir=$WINEPREFIX/drive_c/qbbench/$preset
    mkdir -p "$dir"
    cp "build/$preset/Quillbox.exe" "build/$preset/bench/qb_bench.exe" "build/$preset/bench/qb_hello.exe" "$dir/"
  done
}

# Real TrueType fonts for a run of N fonts, as R<N>_01.TTF ... in the build's scratch folder.
lay_fonts() {
  local dir=$WINEPREFIX/drive_c/qbbench/$1 count=$2 i fonts
  mapfile -t fonts < <(find /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype/liberation \
                         -name '*.ttf' 2>/dev/null | sort)
  [ ${#fonts[@]} -gt 0 ] || { echo "no fonts-dejavu-core or fonts-liberation files" >&2; return 1; }
  for i in $(seq 1 "$count"); do
    cp "${fonts[$(((i - 1) % ${#fonts[@]}))]}" "$dir/$(printf 'R%d_%02d.TTF' "$count" "$i")"
  done
}

# One row: `row BUILD KIND ARG`, printed as qb_bench prints it (Wine's CR LF made LF).
row() {
  local preset=$1 kind=$2 arg=$3 exe
  exe=$WINEPREFIX/drive_c/qbbench/$preset/qb_bench.exe
  case $kind in
    loader | start) set -- "$kind" "$arg" "$repeats" ;;
    run) lay_fonts "$preset" "$arg" || return 1; set -- run "$arg" ;;
    *) echo "unknown row kind $kind" >&2; return 2 ;;
  esac
  "$(qb_wine_for "$exe")" "C:\\qbbench\\$preset\\qb_bench.exe" "$@" </dev/null | tr -d '\r'
}

# Runs one row and keeps its table line, with its command, in $out/rows/TABLE and its plot
# points, after the build's name, in $out/data/TABLE.dat.
collect() {
  local table=$1 output command
  shift
  command="scripts/bench.sh row $*"
  log "$command"
  if ! output=$(row "$@"); then log "FAILED: $command"; failed=1; fi
  printf '%s\n' "$output" >&2
  grep '^| ' <<<"$output" | sed "s#\$# \`$command\` |#" >>"$out/rows/$table" || true
  grep '^plot ' <<<"$output" | sed "s/^plot /$1 /" >>"$out/data/$table.dat" || true
}

# The plot command for one table: two columns of each build against column 2.
plot_of() {
  local data=$out/data/$1.dat first=$2 second=$3 preset curves=()
  for preset in "${builds[@]}"; do
    curves+=("\"$data\" using (strcol(1) eq \"$preset\" ? \$2 : 1/0):3 with linespoints title \"$preset: $first\"")
    curves+=("\"$data\" using (strcol(1) eq \"$preset\" ? \$2 : 1/0):4 with linespoints title \"$preset: $second\"")
  done
  local IFS=,
  echo "plot ${curves[*]}"
}

plots() {
  gnuplot <<EOF
set terminal pngcairo size 900,600 font 'DejaVu Sans,10'
set grid; set key top left; set logscale xy; set ylabel "seconds"
set xlabel "lines in Quillbox.Lst"
set output "$out/loader.png"
set title "LoadFontList against the floor of its per-line lookups"
$(plot_of loader LoadFontList floor)
set output "$out/start.png"
set title "Start until the list is shown: Quillbox.exe against qb_hello.exe"
$(plot_of start Quillbox.exe qb_hello.exe)
set xlabel "fonts installed"
set output "$out/run.png"
set title "Installation run: whole run, and per font beyond the 500 ms pacing"
$(plot_of run "run" "beyond the pacing, per font")
EOF
}

table() {
  printf '%s\n%s\n' "$1" "$2"
  cat "$out/rows/$3" 2>/dev/null || echo "(no rows: see the log of the run)"
}

report() {
  local seconds=$((SECONDS - started)) name settings=""
  for name in QB_BENCH_SIZES QB_BENCH_REPEATS QB_BENCH_RUN_FONTS QB_BENCH_WIN32; do
    [ -n "${!name:-}" ] && settings+=" $name=\"${!name}\""
  done
  cat <<EOF
# Quillbox benchmarks

Made by \`scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC') in $((seconds / 60)) min $((seconds % 60)) s, $(nproc) processors (load
average $load_at_start at the start, $(cut -d' ' -f1 /proc/loadavg) at the end), $(/usr/lib/wine/wine64 --version), prefix build/bench-prefix.
Settings given:${settings:- none}. Builds timed: $why_builds
Each figure is the median of $repeats repeats (the runs of section 3: one each); each ratio is taken
between two measurements made one after the other in one repeat. Times in ms unless marked µs.

## 1. The loader against the floor of its lookups

LoadFontList in the benchmark process, whose folder holds the list (the shortest valid lines;
"largest" fills the 65,000 bytes a list may have) and an empty font file per line, against a loop
in the same process making each line's lookups with the bare calls: open and measure the font
file, look for its .Fot in the system directory, read its WIN.INI key. The loader lists the
system directory and WIN.INI's keys once per load and skips the lookups they show to be futile,
so it can come in under the floor.

$(table "| build | lines | LoadFontList | floor | load / floor | load per line (µs) | floor per line (µs) | of which font file (µs) | .Fot (µs) | WIN.INI key (µs) | command |" \
  "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|" loader)

## 2. Start to selection dialog

Quillbox.exe, from CreateProcessA until its selection dialog is visible, with the same lists,
against qb_hello.exe (one window with an empty list box) started just before it.

$(table "| build | lines | Quillbox.exe | qb_hello.exe | Quillbox / hello | command |" \
  "|---|---:|---:|---:|---:|---|" start)

## 3. Cost per font beyond the pacing

Quillbox.exe installs real TrueType fonts (fonts-dejavu and fonts-liberation files), all selected,
timed from Install until the summary box shows; the run pumps messages for 500 ms before each
font. Installed: the .Fot files found afterwards, when the benchmark removes the fonts' files in
the system directory, WIN.INI keys and registry values again.

$(table "| build | fonts | run | pacing | beyond the pacing, per font | run / pacing | installed | failure boxes | command |" \
  "|---|---:|---:|---:|---:|---:|---:|---:|---|" run)

Plots: loader.png (LoadFontList and floor), start.png (both programs) against the lines of the
list; run.png (the run, and per font beyond the pacing) against the fonts installed.
EOF
}

main() {
  if [ "${1:-}" = row ]; then
    builds=("${2:-}")
    build
    shift
    row "$@"
    return
  fi
  build
  started=$SECONDS
  load_at_start=$(cut -d' ' -f1 /proc/loadavg)
  log "timed: $why_builds"
  rm -rf "$out/rows" "$out/data"
  mkdir -p "$out/rows" "$out/data"
  local preset n
  for preset in "${builds[@]}"; do
    for n in "${sizes[@]}"; do collect loader "$preset" loader "$n"; done
    for n in "${sizes[@]}"; do collect start "$preset" start "$n"; done
    for n in "${run_fonts[@]}"; do collect run "$preset" run "$n"; done
  done
  plots || failed=1
  report >"$out/results.md"
  log "written: $out/results.md and $out/*.png"
  return $failed
}

main "$@"
