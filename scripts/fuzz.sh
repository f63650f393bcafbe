#!/usr/bin/env bash
# Builds the road fuzzer (fuzz/, clang with libFuzzer, AddressSanitizer and UBSan, against winsim)
# and runs it for FUZZ_SECONDS (default 600) with one worker per processor (FUZZ_WORKERS), starting
# from the seed corpus in fuzz/corpus. New cases go to build/fuzz/work; a crash or a failed property stops the run and
# leaves its input in build/fuzz/found. Exits non-zero when the fuzzer found anything.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-600}
build=${FUZZ_BUILD:-build/fuzz}  # FUZZ_BUILD: another build directory, for a run beside this one
mkdir -p build

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >"$build-configure.log" 2>&1 ||
  { cat "$build-configure.log"; exit 1; }
cmake --build "$build" -j2

mkdir -p "$build/work" "$build/found"
# Allocations are winsim's bookkeeping, never the program's (which has fixed buffers only): no
# allocation stacks and no fill keep each case cheap, and a quarantine of 16 MiB (many cases'
# worth) keeps freed memory warm while a block used after its free within a case is still caught.
# Replaying a found input without these options (road_fuzzer <file>) reports the full stacks.
# Leaks of the program's own blocks are a property of the case (winsim counts them), so
# LeakSanitizer is not needed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=16:detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

workers=${FUZZ_WORKERS:-$(nproc)}
# More than one worker: libFuzzer's fork mode, whose children share one corpus; a crash or a failed
# property in any of them stops the run.
parallel=()
[ "$workers" -gt 1 ] && parallel=(-fork="$workers")
log=$build/fuzz.log
echo "Fuzzing for $seconds s with $workers worker(s); log in $log"
status=0
started=$(date +%s)
"$build/road_fuzzer" "${parallel[@]}" -max_total_time="$seconds" -print_final_stats=1 \
  -detect_leaks=0 -max_len=4096 -timeout=30 -artifact_prefix="$build/found/" "$build/work" \
  fuzz/corpus >"$log" 2>&1 || status=$?
spent=$(( $(date +%s) - started ))
[ "$spent" -gt 0 ] || spent=1

# The executions of all workers together: in fork mode the parent's own status lines ("#N: cov:"),
# whose last one comes before any child's log that a failure copies into the log; with a single
# worker its last status line. Divided by the time the run really took, which a failure shortens.
if [ "$workers" -gt 1 ]; then
  last=$(grep -E "^#[0-9]+: cov:" "$log" | tail -n 1 || true)
else
  last=$(grep -E "^#[0-9]+[[:space:]]" "$log" | tail -n 1 || true)
fi
if [ -n "$last" ]; then
  executions=$(echo "$last" | sed -E 's/^#([0-9]+).*/\1/')
  echo "$last"
  echo "executions: $executions in $spent s, $((executions / spent)) per second ($workers worker(s))"
else
  tail -n 40 "$log"
fi

if [ "$status" -ne 0 ]; then
  grep -A12 -E "road property failed|ERROR: (AddressSanitizer|libFuzzer)|runtime error" "$log" | head -n 40
  echo "The fuzzer stopped on a failure (exit $status): see $log and $build/found/"
  echo "(replay one with full allocation stacks: $build/road_fuzzer $build/found/<file>)"
  exit "$status"
fi
echo "No crash and no failed property."
