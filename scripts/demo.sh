#!/usr/bin/env bash
# Builds Quillbox.exe, lays out build/demo/ with real TrueType fonts and a list file, and runs the
# program there under Wine in its own prefix. With $DISPLAY set the person uses the window; without
# one it runs headless in Wine's virtual desktop, is driven by keys (Select All, Install, OK on the
# summary), and leaves screenshots and a short report of what was installed where.
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
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target Quillbox
exe=$root/build/$preset/Quillbox.exe
if [ ! -f "$exe" ]; then
  echo "Quillbox.exe was not built." >&2
  exit 1
fi

# A fresh prefix each time, so the fonts are offered again.
rm -rf "$WINEPREFIX"
qb_prefix_ready
demo_win='C:\Demo'
demo=$WINEPREFIX/drive_c/Demo
rm -rf "$root/build/demo"
mkdir -p "$demo" "$root/build/demo"
ln -s "$demo" "$root/build/demo/folder"
cp "$exe" "$demo/Quillbox.exe"

dejavu=/usr/share/fonts/truetype/dejavu
liberation=/usr/share/fonts/truetype/liberation
cp $dejavu/DejaVuSans.ttf "$demo/DEJASANS.TTF"
cp $dejavu/DejaVuSans-Bold.ttf "$demo/DEJASANB.TTF"
cp $dejavu/DejaVuSansMono.ttf "$demo/dejamono.ttf"
cp $liberation/LiberationSans-Regular.ttf "$demo/LIBSANS.TTF"
cp $liberation/LiberationSerif-Regular.ttf "$demo/LIBSERIF.TTF"
cp $liberation/LiberationMono-Regular.ttf "$demo/LIBMONO.TTF"
printf '%s\r\n' \
  "DEJASANS.TTF  Demo DejaVu Sans" \
  "DEJASANB.TTF  Demo DejaVu Sans Bold" \
  "dejamono.ttf  Demo DejaVu Sans Mono" \
  "LIBSANS.TTF   Demo Liberation Sans" \
  "LIBSERIF.TTF  Demo Liberation Serif" \
  "LIBMONO.TTF   Demo Liberation Mono" >"$demo/Quillbox.Lst"

loader=$(qb_wine_for "$exe")
if [ -n "${DISPLAY:-}" ] && [ "${QB_DEMO_HEADLESS:-0}" != 1 ]; then
  echo "Starting Quillbox in $demo_win (the folder is build/demo/folder)."
  qb_wine_warm
  status=0
  (cd "$demo" && $loader "$demo_win\\Quillbox.exe") || status=$?
  wineserver -k || true
  echo "Quillbox ended with exit code $status."
  exit 0
fi

qb_start_xvfb
trap 'wineserver -k 2>/dev/null || true; qb_stop_xvfb' EXIT
qb_wine_warm
shot() { import -window root "$root/build/demo/$1.png"; echo "saved build/demo/$1.png"; }
(cd "$demo" && $loader explorer /desktop=Quillbox,1024x768 "$demo_win\\Quillbox.exe") &
program=$!
sleep 6
shot 1-selection
# The focus starts on Select All: Enter selects every font; two Tabs reach Install.
xdotool key Return
sleep 1
shot 2-selected
xdotool key Tab Tab Return
sleep 1.5
shot 3-progress
# Six fonts at 500 ms or more each; then the summary waits for its OK.
sleep 4
shot 4-summary
xdotool key Return
wait $program || true

report=$root/build/demo/report.txt
{
  echo "Installed into C:\\windows\\system32 (on disk: $(cd "$WINEPREFIX/drive_c/windows" && ls -d syswow64 system32 2>/dev/null | head -n1)):"
  for d in syswow64 system32; do
    ls -l "$WINEPREFIX/drive_c/windows/$d" 2>/dev/null | grep -i -E ' (DEJA|LIB)[A-Z]*\.(TTF|Fot)$' || true
  done
  echo
  echo "WIN.INI [Fonts]:"
  grep -i '^Demo ' "$WINEPREFIX/drive_c/windows/win.ini" || echo "(no entries)"
} | tee "$report"
