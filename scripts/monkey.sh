#!/usr/bin/env bash
# Long monkey runs: the window's random-action test over one seed after another, in the
# sanitizer build, until MINUTES (default 30) have passed. Starts at FIRST_SEED (default: the
# clock). A failure prints its seed; `LUMAVO_MONKEY_SEED=<seed> build-sanitize/tests/ui_tests
# --gtest_filter='MonkeyTest.*'` repeats it. LUMAVO_MONKEY_BUILD names another build folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
minutes="${1:-30}"
seed="${2:-$(date +%s)}"
actions=2000
build="${LUMAVO_MONKEY_BUILD:-$root/build-sanitize}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMAVO_SANITIZE=ON \
    -DLUMAVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target ui_tests

log="$(mktemp "${TMPDIR:-/tmp}/lumavo-monkey-XXXXXX.log")"
end=$((SECONDS + minutes * 60))
runs=0
while [ "$SECONDS" -lt "$end" ]; do
    if ! LUMAVO_MONKEY_SEED="$seed" LUMAVO_MONKEY_ACTIONS="$actions" QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/tests/ui_tests" --gtest_filter='MonkeyTest.*' >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "monkey FAILED at seed $seed (log: $log)"
        exit 1
    fi
    grep -h 'per second' "$log" | sed "s/^/seed $seed: /"
    runs=$((runs + 1))
    seed=$((seed + 1))
done
rm -f "$log"
echo "monkey: $runs runs of $actions actions in $minutes minutes, no failure"
