#!/usr/bin/env bash
# Runs a command with the private Wine prefix ready, one Xvfb and a persistent wineserver,
# then stops the two it started. Usage: scripts/with-wine.sh command [args...]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
# Where the kernel refuses i386 programs, the whole command runs with qemu-i386 standing in for
# 32-bit Wine (nothing changes where they run natively).
qb_enter_win32_emulation "$0" "$@"
qb_prefix_ready
started_xvfb=0
if [ -z "${DISPLAY:-}" ] || [ "${QB_FORCE_XVFB:-0}" = 1 ]; then
  qb_start_xvfb
  started_xvfb=1
fi
qb_wine_warm
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ $started_xvfb = 1 ]; then qb_stop_xvfb; fi
}
trap cleanup EXIT
set +e
"$@"
status=$?
set -e
exit $status
