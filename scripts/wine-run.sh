#!/usr/bin/env bash
# Runs one Windows test program under Wine, as CTest's cross-compiling emulator.
# The program is copied into a fresh folder on drive C: of the private prefix, so that its
# own directory (where the program looks for its list file) holds nothing but what the test puts there.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
exe=$1
# A 32-bit program on a kernel that refuses i386 programs: run again with qemu-i386 standing in.
if [ "$(qb_wine_for "$exe")" = wine ]; then qb_enter_win32_emulation "$0" "$@"; fi
shift
qb_prefix_ready
loader=$(qb_wine_for "$exe")
if [ "$loader" = wine ] && ! qb_can_run_win32; then
  echo "SKIPPED: this machine cannot run 32-bit programs (the kernel refuses them, and qemu-i386 8.1 or later cannot stand in), so $(basename "$exe") cannot run under Wine here." >&2
  exit 77
fi
if [ "$loader" = wine ] && ! qb_prefix_has_win32; then
  echo "SKIPPED: the Wine prefix $WINEPREFIX has no 32-bit half, so $(basename "$exe") cannot run in it; delete the prefix to have it made again." >&2
  exit 77
fi
own_xvfb=0
if [ -z "${DISPLAY:-}" ]; then qb_start_xvfb; own_xvfb=1; fi
own_server=0
if [ -z "${QB_WINE_WARM:-}" ]; then qb_wine_warm; own_server=1; fi
name=$(basename "$exe" .exe)
scratch_win="C:\\qbtest\\$name-$$"
scratch="$WINEPREFIX/drive_c/qbtest/$name-$$"
mkdir -p "$scratch"
cp "$exe" "$scratch/"
# Wine's heap checking: blocks get a checked tail (GlobalFlag 0x30, tail and free checking, for
# this program's image name), so that HeapValidate and every later look at a damaged block report
# it ("err:heap"), and such a report fails the run.
marker="$WINEPREFIX/.qb-heap-check-$name"
if [ ! -f "$marker" ]; then
  $loader reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\$name.exe" \
    /v GlobalFlag /t REG_DWORD /d 0x30 /f >/dev/null 2>&1 && touch "$marker"
fi
heap_log="$scratch.heap"
set +e
WINEDEBUG=-all,err+heap $loader "$scratch_win\\$(basename "$exe")" "$@" 2>"$heap_log"
status=$?
cat "$heap_log" >&2
set -e
if grep -q "err:heap" "$heap_log"; then
  echo "Wine's heap checking reported a damaged block (see above)." >&2
  [ $status = 0 ] && status=1
fi
rm -rf "$scratch" "$heap_log"
if [ $own_server = 1 ]; then wineserver -k 2>/dev/null || true; fi
if [ $own_xvfb = 1 ]; then qb_stop_xvfb; fi
exit $status
