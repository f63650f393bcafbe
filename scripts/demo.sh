#!/usr/bin/env bash
# Builds Quillbox.exe and shows it under Wine in a fresh prefix of its own (build/demo-prefix), in
# a folder beside six real TrueType fonts and a list file. With $DISPLAY set the person uses the
# program there. Without one (or with QB_DEMO_HEADLESS=1) an Xvfb shows Wine's desktop, xdotool
# walks the main road with keys alone (Enter on Select All, back to the list, Enter for Install,
# Enter on the summary) and ImageMagick takes the screenshots; they and a short report of what was
# installed where are left in build/demo/.
# QB_DEMO_DPI=144 (or another number of dots per inch) shows the program at that screen resolution,
# set as the prefix's LogPixels, in a prefix and an output folder of its own (build/demo-144/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dpi=${QB_DEMO_DPI:-}
export WINEPREFIX=$root/build/demo-prefix${dpi:+-$dpi}
source scripts/wine-env.sh

preset=win32
if ! qb_can_run_win32; then
  echo "This machine cannot run 32-bit programs, so the demo runs the x86_64 build of the same sources."
  preset=win64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target Quillbox
exe=$root/build/$preset/Quillbox.exe
loader=$(qb_wine_for "$exe")

# A fresh prefix each time, so the fonts are offered again.
wineserver -k 2>/dev/null || true
out=$root/build/demo${dpi:+-$dpi}
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$out"
mkdir -p "$out"
qb_prefix_ready
if [ -n "$dpi" ]; then
  $loader reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
fi

# The folder a person receives: the program, six fonts (one listed in lower case) and the list.
folder="$WINEPREFIX/drive_c/Fonts Kit"
mkdir -p "$folder"
cp "$exe" "$folder/"
fonts=/usr/share/fonts/truetype
list=""
while read -r file source name; do
  cp "$fonts/$source" "$folder/$file"
  list+="$file $name"$'\r\n'
done <<'EOF'
DJSANS.TTF dejavu/DejaVuSans.ttf Demo DejaVu Sans
DJSERIF.TTF dejavu/DejaVuSerif.ttf Demo DejaVu Serif
djmono.ttf dejavu/DejaVuSansMono.ttf Demo DejaVu Sans Mono
LBSANS.TTF liberation/LiberationSans-Regular.ttf Demo Liberation Sans
LBSERIF.TTF liberation/LiberationSerif-Regular.ttf Demo Liberation Serif
LBMONO.TTF liberation/LiberationMono-Regular.ttf Demo Liberation Mono
EOF
printf '%s' "$list" >"$folder/Quillbox.Lst"
ln -sfn "$folder" "$out/folder"

if [ -n "${DISPLAY:-}" ] && [ "${QB_DEMO_HEADLESS:-0}" != 1 ]; then
  qb_wine_warm
  echo "Starting Quillbox in C:\\Fonts Kit (on this machine: build/demo/folder)."
  status=0
  $loader 'C:\Fonts Kit\Quillbox.exe' </dev/null || status=$?
  wineserver -k 2>/dev/null || true
  echo "Quillbox ended with exit code $status."
  exit 0
fi

qb_start_xvfb
trap 'wineserver -k 2>/dev/null || true; qb_stop_xvfb' EXIT
wineserver -p </dev/null >/dev/null 2>&1
echo "Running the demo headless on $DISPLAY in Wine's desktop (xdotool presses the keys)."
$loader explorer "/desktop=shell,1024x768" 'C:\Fonts Kit\Quillbox.exe' </dev/null >"$out/wine.log" 2>&1 &
program=$!
# Waits until a window of the program's caption (the selection dialog, then the summary) is up.
await() {
  for _ in $(seq 1 300); do
    xdotool search --name "$1" >/dev/null 2>&1 && { sleep 1; return 0; }
    sleep 0.1
  done
  echo "No window '$1' came." >&2
  return 1
}
await 'TrueType Fonts Installation'
import -window root "$out/selection.png"
xdotool key Return                # Select All has the focus
import -window root "$out/selection-all.png"
xdotool key shift+Tab Return      # back to the list, where Enter presses Install
sleep 1.5
import -window root "$out/progress.png"
sleep 3.5                         # six fonts, each after half a second of the pump
import -window root "$out/summary.png"
xdotool key Return
wait $program || true

system=$WINEPREFIX/drive_c/windows/system32
[ "$preset" = win32 ] && system=$WINEPREFIX/drive_c/windows/syswow64
report=$out/report.txt
{
  echo "Quillbox ($preset build) in C:\\Fonts Kit, driven by keys in Wine's desktop."
  echo
  echo "In the system directory (on disk: $system):"
  (cd "$system" && ls -l DJ* LB* 2>/dev/null) || echo "(nothing)"
  echo
  echo "WIN.INI [Fonts]:"
  grep -i '^Demo ' "$WINEPREFIX/drive_c/windows/win.ini" || echo "(no entries)"
  echo
  echo "Screenshots:"
  ls "$out"/*.png | sed "s|^$root/||"
} | tee "$report"
installed=$(grep -ci '^Demo .*\.Fot' "$WINEPREFIX/drive_c/windows/win.ini" || true)
[ "$installed" = 6 ] && exit 0
echo "The demo installed $installed of the six fonts: see $out/." >&2
exit 1
