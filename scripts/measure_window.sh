#!/usr/bin/env bash
# Builds the window's measuring program and runs it several times, under Xvfb when it is
# installed (a real X server), else offscreen; prints each run and the medians.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
"$root/scripts/build.sh" -DLUMAVO_BUILD_BENCH=ON >/dev/null
measure="$root/build/bench/window_measure"
if command -v xvfb-run >/dev/null; then
    launch=(xvfb-run -a -s "-screen 0 1280x1024x24" "$measure")
else
    launch=(env QT_QPA_PLATFORM=offscreen "$measure")
fi
results="$(for _ in $(seq "$runs"); do "${launch[@]}" 2>/dev/null; done)"
echo "$results"
echo "-- medians of $runs runs --"
for name in start_to_shown calculate_360_with_20_plan compare_360_with_20_plan \
    preview_360_with_20_plan charts_two_360 peak_rss reconcile_360; do
    echo "$results" | awk -v n="$name" '$1 == n { print $2, $3 }' | sort -n |
        awk -v n="$name" '{ v[NR] = $1; u = $2 } END { print n, v[int((NR + 1) / 2)], u }'
done
