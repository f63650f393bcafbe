#!/usr/bin/env bash
# Builds Quillbox.exe and the end-to-end driver, and shows the program under Wine in a fresh
# prefix of its own (build/demo-prefix), in a folder beside six real TrueType fonts and a list file.
# With $DISPLAY set the person uses the program there. Without one (or with QB_DEMO_HEADLESS=1)
# an Xvfb shows Wine's desktop and the driver walks the main road with keys alone (Enter on
# Select All, Tab to Install, Enter, OK on the summary); the screenshots and a short report of
# what was installed where are left in build/demo/.
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
# QB_DEMO_BUILD names another build folder of the same preset (a developer's own).
build=${QB_DEMO_BUILD:-build/$preset}
cmake --preset $preset -B "$build" >/dev/null
cmake --build "$build" -j2 --target Quillbox e2e_driver
exe=$root/$build/Quillbox.exe
driver=$root/$build/tests/e2e/e2e_driver.exe
for built in "$exe" "$driver"; do
  if [ ! -f "$built" ]; then
    echo "$built was not built." >&2
    exit 1
  fi
done
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
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
folder_win='C:\Fonts Kit'
folder=$WINEPREFIX/drive_c/Fonts\ Kit

if [ -n "${DISPLAY:-}" ] && [ "${QB_DEMO_HEADLESS:-0}" != 1 ]; then
  qb_wine_warm
  # The driver only lays out the folder here: Quillbox.exe, the fonts and Quillbox.Lst.
  $loader "$(windows_path "$driver")" demo-folder "$(windows_path "$exe")" \
    "$(windows_path "$out/folder.log")" </dev/null >/dev/null 2>&1 || true
  ln -sfn "$folder" "$out/folder"
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
echo "Running the demo headless on $DISPLAY in Wine's desktop (the driver presses the keys)."
$loader explorer "/desktop=shell,1024x768" "$(windows_path "$driver")" demo "$(windows_path "$exe")" \
  "$(windows_path "$out/log.txt")" "$out" </dev/null >"$out/wine.log" 2>&1 || true
ln -sfn "$folder" "$out/folder"

report=$out/report.txt
{
  echo "Quillbox ($preset build) in $folder_win, driven by keys in Wine's desktop."
  grep -E '^(FAIL|- installed)' "$out/log.txt" | sed 's/^- //' || true
  tail -n 1 "$out/log.txt"
  echo
  echo "In the system directory C:\\windows\\system32 (on disk: $WINEPREFIX/drive_c/windows/system32):"
  listed=0
  for file in "$WINEPREFIX"/drive_c/windows/system32/{DEJA,LIB}*.{TTF,Fot}; do
    [ -e "$file" ] && ls -l "$file" | sed "s|$WINEPREFIX/drive_c/windows/system32/||" && listed=1
  done
  [ $listed = 1 ] || echo "(nothing)"
  echo
  echo "WIN.INI [Fonts]:"
  grep -i '^Demo ' "$WINEPREFIX/drive_c/windows/win.ini" || echo "(no entries)"
  echo
  echo "Screenshots:"
  ls "$out"/*.png 2>/dev/null | sed "s|^$root/||" || echo "(none)"
} | tee "$report"
if grep -q ' 0 failed' <(tail -n 1 "$out/log.txt" 2>/dev/null); then exit 0; fi
echo "The demo did not go as expected: see $out/log.txt." >&2
exit 1
