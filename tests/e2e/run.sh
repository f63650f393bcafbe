#!/usr/bin/env bash
# Runs the end-to-end driver in Wine's desktop named shell, which has a task bar, on the display and
# prefix that scripts/with-wine.sh made ready, with Quillbox.exe in a folder beside two fonts of
# this run's own names (the session's font table keeps what an earlier run added).
# Usage: run.sh E2E_EXE QUILLBOX_EXE
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
loader=$(qb_wine_for "$1")
[ "$loader" = wine ] && ! qb_can_run_win32 && { echo "SKIPPED: no 32-bit programs here"; exit 77; }
run=$(printf %04X $(($$ & 0xFFFF)))
folder=$WINEPREFIX/drive_c/qbe2e$run
# Afterwards, what the program installed goes again: files, WIN.INI lines and registry values.
trap 'rm -rf "$folder" "$WINEPREFIX"/drive_c/windows/sys*/QB$run?.*
  sed -i "/^Qb E2E $run /d" "$WINEPREFIX/drive_c/windows/win.ini"
  for f in A B; do $loader reg delete "HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts" /v "Qb E2E $run $f (TrueType)" /f >/dev/null 2>&1; done' EXIT
mkdir -p "$folder"
cp "$2" "$folder/Quillbox.exe"
cp /usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf "$folder/QB${run}A.TTF"
cp /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf "$folder/QB${run}B.TTF"
printf '%s\r\n' "QB${run}A.TTF Qb E2E $run A" "QB${run}B.TTF Qb E2E $run B" >"$folder/Quillbox.Lst"
timeout 240 $loader explorer "/desktop=shell,1024x768" "Z:$(realpath "$1" | tr / '\\')" "C:\\qbe2e$run\\" \
  "C:\\qbe2e$run\\result" </dev/null >/dev/null 2>&1 || true
# The driver writes "ok", or a line for each failed check.
grep -qx ok "$folder/result" || { cat "$folder/result"; exit 1; }
