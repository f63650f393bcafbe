#!/usr/bin/env bash
# Builds and tests every configuration: the host build (plain and with sanitizers) against winsim,
# and both Windows builds under Wine. Runs them all, then prints one summary and fails if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
failed=()
log() { printf '\n=== %s\n' "$*"; }

for preset in host host-asan win32 win64; do
  log "configure and build: $preset"
  if ! { cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; false; }; } ||
     ! cmake --build --preset "$preset"; then
    failed+=("build:$preset")
  fi
done

for preset in host host-asan; do
  log "test: $preset"
  ctest --preset "$preset" || failed+=("test:$preset")
done

log "test: win32 and win64 under Wine"
scripts/with-wine.sh bash -c '
  status=0
  ctest --preset win32 || status=1
  ctest --preset win64 || status=2
  exit $status' || failed+=("test:wine")

log "summary"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All configurations built and passed."
