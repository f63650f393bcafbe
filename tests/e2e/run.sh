#!/usr/bin/env bash
# Runs the end-to-end driver in Wine's desktop named shell, which has a task bar, on the display and
# prefix that scripts/with-wine.sh made ready. Usage: run.sh E2E_EXE QUILLBOX_EXE
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
loader=$(qb_wine_for "$1")
if [ "$loader" = wine ] && ! qb_can_run_win32; then
  echo "SKIPPED: this machine cannot run 32-bit programs."
  exit 77
fi
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
result=$(mktemp)
trap 'rm -f "$result"' EXIT
timeout 240 $loader explorer "/desktop=shell,1024x768" "$(winpath "$1")" "$(winpath "$2")" \
  "$(winpath "$result")" </dev/null >/dev/null 2>&1 || true
cat "$result"
[ "$(head -n 1 "$result" | tr -d '\r')" = ok ]
