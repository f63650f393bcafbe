#!/usr/bin/env bash
# Random roads under Wine for FUZZ_SECONDS (default 600), one worker per build (x86_64, and i686
# where 32-bit programs run natively), each with fresh seeds; every road is judged by the oracle.
# Prints roads per second; on a failure the seed and the command that replays it.
#   scripts/fuzz.sh             run
#   QB_ROAD_SEED=N scripts/fuzz.sh replay [win32|win64]   replay one seed (default win64)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
presets=(win64)
qb_can_run_win32 && presets+=(win32)
[ "${1:-}" = replay ] && presets=("${2:-win64}")
for preset in "${presets[@]}"; do
  { cmake --preset "$preset" && cmake --build --preset "$preset" --target tests_roads; } >build/fuzz-build-$preset.log 2>&1 ||
    { cat build/fuzz-build-$preset.log; exit 1; }
done
# Each build in a prefix of its own, so that two runs (and the tests) never share a registry.
run() { WINEPREFIX=$PWD/build/wineprefix-fuzz-$1 scripts/with-wine.sh scripts/wine-run.sh \
          "build/$1/tests/tests_roads.exe" --gtest_filter=Roads.RandomRoads; }
if [ "${1:-}" = replay ]; then
  run "${presets[0]}"
  exit
fi
export QB_ROAD_SECONDS=${FUZZ_SECONDS:-600}
echo "Random roads for $QB_ROAD_SECONDS s on ${presets[*]}"
for preset in "${presets[@]}"; do run "$preset" >"build/fuzz-$preset.log" 2>&1 & done
status=0
for job in $(jobs -p); do wait "$job" || status=1; done
for preset in "${presets[@]}"; do echo "$preset: $(grep -E "roads per second" "build/fuzz-$preset.log")"; done
[ $status = 0 ] || { grep -h -A12 "seed " build/fuzz-*.log | head -n 40; echo "A road failed: see build/fuzz-*.log"; }
exit $status
