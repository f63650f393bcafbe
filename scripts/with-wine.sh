#!/usr/bin/env bash
# Runs a command with the private Wine prefix ready, one Xvfb and a persistent wineserver,
# then stops the two it started. Usage: scripts/with-wine.sh command [args...]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
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
