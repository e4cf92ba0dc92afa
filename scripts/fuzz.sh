#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for the given number of
# seconds (default 600), starting from its seed corpus. New inputs go to a scratch folder, so the
# seeds in the repository stay small; a crash leaves its input in the scratch folder's crashes/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
targets=(backup_reader_fuzz archive_reader_fuzz backup_to_schedule_fuzz loan_file_reader_fuzz
    bank_records_reader_fuzz)

CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMAVO_BUILD_FUZZ=ON -DLUMAVO_BUILD_TESTS=OFF -DLUMAVO_BUILD_BENCH=OFF \
    -DLUMAVO_BUILD_GUI=OFF >/dev/null
cmake --build "$root/build-fuzz" --target "${targets[@]}"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/lumavo-fuzz-XXXXXX")"
status=0
for target in "${targets[@]}"; do
    work="$scratch/$target"
    mkdir -p "$work/corpus" "$work/crashes"
    cp "$root/tests/fuzz/corpus/$target/"* "$work/corpus/"
    echo "== $target: ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$root/build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/crashes/" "$work/corpus" \
        >"$work/log" 2>&1; then
        status=1
        tail -n 60 "$work/log"
        echo "== $target FAILED; input kept in $work/crashes/"
    fi
    grep -E '^stat::number_of_executed_units|^Done ' "$work/log" | sed "s/^/$target: /" || true
done
if [ "$status" -eq 0 ]; then
    rm -rf "$scratch"
fi
exit "$status"
