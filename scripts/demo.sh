#!/usr/bin/env bash
# Builds Quillbox.exe and shows the program under Wine in a fresh prefix of its own
# (build/demo-prefix), in a folder beside six real TrueType fonts and a list file. With $DISPLAY
# set the person uses the program there. Without one (or with QB_DEMO_HEADLESS=1) an Xvfb shows
# Wine's desktop and xdotool walks the main road with keys alone (Enter on Select All, Tab twice
# to Install, Enter, and Enter on the summary); ImageMagick's screenshots of the four moments and
# a short report of what was installed where are left in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export WINEPREFIX=$root/build/demo-prefix
source scripts/wine-env.sh

preset=win32
if ! qb_can_run_win32; then
  echo "This machine cannot run 32-bit programs, so the demo runs the x86_64 build of the same sources."
  preset=win64
fi
# QB_DEMO_BUILD names another build folder of the same preset (a developer's own).
build=${QB_DEMO_BUILD:-build/$preset}
cmake --preset $preset -B "$build" >/dev/null
cmake --build "$build" -j2 --target Quillbox
loader=$(qb_wine_for "$build/Quillbox.exe")

# A fresh prefix each time, so the fonts are offered again.
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$root/build/demo"
out=$root/build/demo
mkdir -p "$out"
qb_prefix_ready
folder_win='C:\Fonts Kit'
folder=$WINEPREFIX/drive_c/Fonts\ Kit
mkdir -p "$folder"
cp "$build/Quillbox.exe" "$folder/"
: >"$folder/Quillbox.Lst"
while read -r file source name; do
  cp "/usr/share/fonts/truetype/$source" "$folder/$file"
  printf '%s %s\r\n' "$file" "$name" >>"$folder/Quillbox.Lst"
done <<'FONTS'
DEJASANS.TTF dejavu/DejaVuSans.ttf Demo DejaVu Sans
DEJASANB.TTF dejavu/DejaVuSans-Bold.ttf Demo DejaVu Sans Bold
dejamono.ttf dejavu/DejaVuSansMono.ttf Demo DejaVu Sans Mono
LIBSANS.TTF liberation/LiberationSans-Regular.ttf Demo Liberation Sans
LIBSERIF.TTF liberation/LiberationSerif-Regular.ttf Demo Liberation Serif
LIBMONO.TTF liberation/LiberationMono-Regular.ttf Demo Liberation Mono
FONTS
ln -sfn "$folder" "$out/folder"

if [ -n "${DISPLAY:-}" ] && [ "${QB_DEMO_HEADLESS:-0}" != 1 ]; then
  qb_wine_warm
  echo "Starting Quillbox in $folder_win (on this machine: build/demo/folder)."
  status=0
  $loader "$folder_win\\Quillbox.exe" </dev/null || status=$?
  wineserver -k 2>/dev/null || true
  echo "Quillbox ended with exit code $status."
  exit 0
fi

qb_start_xvfb
trap 'wineserver -k 2>/dev/null || true; qb_stop_xvfb' EXIT
wineserver -p </dev/null >/dev/null 2>&1
echo "Running the demo headless on $DISPLAY in Wine's desktop (xdotool presses the keys)."
$loader explorer "/desktop=shell,1024x768" "$folder_win\\Quillbox.exe" </dev/null >"$out/wine.log" 2>&1 &
desktop=$!
shot() { sleep "$1"; import -silent -window root "$out/$2.png"; }
# The keys go to the X window under the pointer: Wine's desktop, which hands them to the program.
keys() { xdotool mousemove 512 740 key --delay 300 "$@"; }
shot 5 1-selection
keys Return Tab Tab
shot 1 2-selected
keys Return
shot 1.5 3-progress
shot 4 4-summary
keys Return
for _ in $(seq 1 40); do kill -0 $desktop 2>/dev/null || break; sleep 0.5; done

report=$out/report.txt
system=$WINEPREFIX/drive_c/windows/system32
[ "$preset" = win32 ] && system=$WINEPREFIX/drive_c/windows/syswow64
{
  echo "Quillbox ($preset build) in $folder_win, driven by keys in Wine's desktop."
  echo
  echo "In the system directory C:\\windows\\system32 (on disk: $system):"
  ls -l "$system"/{DEJA,LIB}*.{TTF,Fot} 2>/dev/null | sed "s|$system/||" || echo "(nothing)"
  echo
  echo "WIN.INI [Fonts]:"
  grep -i '^Demo ' "$WINEPREFIX/drive_c/windows/win.ini" || echo "(no entries)"
  echo
  echo "Screenshots:"
  ls "$out"/*.png 2>/dev/null | sed "s|^$root/||" || echo "(none)"
} | tee "$report"
if [ "$(grep -ci '^Demo ' "$WINEPREFIX/drive_c/windows/win.ini")" = 6 ]; then exit 0; fi
echo "The demo did not go as expected: see $out/." >&2
exit 1
