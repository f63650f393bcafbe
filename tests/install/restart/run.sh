#!/usr/bin/env bash
# Installed fonts outlive the Wine session. In a prefix of its own: the real Quillbox.exe installs a
# font whose face no other font on the machine has, the prefix's wineserver is ended (as a reboot
# ends a session), and new processes of each bitness given look for that face. A second font,
# whose registry value already names another file, must leave that value as it was.
#   run.sh WORK QUILLBOX_EXE PROBE_EXE FINDER_EXE...
# Exit 77 (CTest: skipped) when Quillbox.exe is 32-bit and this machine cannot run it.
set -euo pipefail
work=$1 quillbox=$2 probe=$3
shift 3
finders=("$@")
mkdir -p "$work"
work=$(cd "$work" && pwd)
export WINEPREFIX=$work/prefix
source "$(dirname "$0")/../../../scripts/wine-env.sh"
if [ "$(qb_wine_for "$quillbox")" = wine ]; then
  qb_enter_win32_emulation "$0" "$work" "$quillbox" "$probe" "${finders[@]}"
  if ! qb_can_run_win32; then
    echo "SKIPPED: this machine cannot run 32-bit programs."
    exit 77
  fi
fi

rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
qb_prefix_ready
own_xvfb=0
if [ -z "${DISPLAY:-}" ]; then qb_start_xvfb; own_xvfb=1; fi
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ $own_xvfb = 1 ]; then qb_stop_xvfb; fi
}
trap cleanup EXIT

face="Quillbox Restart Probe"
kept="Quillbox Kept Probe"
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
folder=$WINEPREFIX/drive_c/restart
mkdir -p "$folder"
cp "$quillbox" "$folder/Quillbox.exe"
# Copies of a real font under new face names (the name table's family, full and PostScript names).
/usr/bin/python3 - "$folder" "$face" "$kept" <<'PY'
import sys
from fontTools.ttLib import TTFont
folder, names = sys.argv[1], sys.argv[2:]
for file, face in zip(["PROBE.TTF", "KEPT.TTF"], names):
    font = TTFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
    table = font["name"]
    for record in list(table.names):
        if record.nameID in (1, 3, 4, 6, 16, 17, 21, 22):
            table.removeNames(nameID=record.nameID)
    table.setName(face, 1, 3, 1, 0x409); table.setName("Regular", 2, 3, 1, 0x409)
    table.setName(face, 4, 3, 1, 0x409); table.setName(face.replace(" ", ""), 6, 3, 1, 0x409)
    table.setName(face, 1, 1, 0, 0); table.setName(face, 4, 1, 0, 0)
    font.save(folder + "/" + file)
PY
printf '%s\r\n' "PROBE.TTF $face" "KEPT.TTF $kept" >"$folder/Quillbox.Lst"

wine=$(qb_wine_for "$quillbox")
$wine reg add "$key" /v "$kept (TrueType)" /t REG_SZ /d 'C:\elsewhere\KEPT.TTF' /f >/dev/null 2>&1
loader=$(qb_wine_for "$probe")
status=0
# The kept font's value names another file; its face is still installed, so the summary counts two.
$loader "$probe" install 'C:\restart\Quillbox.exe' | tr -d '\r' | tee "$work/install.log" || true
grep -q "^summary: 2 new TrueType fonts are now available.$" "$work/install.log" ||
  { echo "FAIL: the installation did not end as expected"; status=1; }
value=$($wine reg query "$key" /v "$kept (TrueType)" 2>/dev/null | tr -d '\r' | grep -i "REG_SZ" || true)
case $value in
  *'C:\elsewhere\KEPT.TTF') echo "kept: $value" ;;
  *) echo "FAIL: the value that named another file became: $value"; status=1 ;;
esac
$wine reg query "$key" /v "$face (TrueType)" 2>/dev/null | tr -d '\r' | grep -i REG_SZ || true

# A new session: the font must come back from what was recorded, not from the session's table.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
for finder in "${finders[@]}"; do
  if [ "$(qb_wine_for "$finder")" = wine ] && ! qb_can_run_win32; then continue; fi
  $(qb_wine_for "$finder") "$finder" find "$face" | tr -d '\r' ||
    { echo "FAIL: $(basename "$finder") does not find $face after the restart"; status=1; }
done
exit $status
