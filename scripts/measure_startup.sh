#!/usr/bin/env bash
# Start-up of the window against a bare Qt window with tabs, a table and a chart view: the two
# alternate under one X server (Xvfb), RUNS times each; prints the medians and their ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
"$root/scripts/build.sh" -DLUMAVO_BUILD_BENCH=ON >/dev/null
measure="$root/build/bench/window_measure"
command -v Xvfb >/dev/null || { echo "needs Xvfb (Debian package xvfb)" >&2; exit 1; }
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
server=$!
trap 'kill "$server"' EXIT
sleep 1
export DISPLAY="$display"
"$measure" --bare >/dev/null # the first start reads fonts and libraries from disk for both
bare=()
ours=()
for _ in $(seq "$runs"); do
    bare+=("$("$measure" --bare 2>/dev/null | awk '{ print $2 }')")
    ours+=("$("$measure" --startup 2>/dev/null | awk '$1 == "start_to_shown" { print $2 }')")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "bare window: ${bare[*]} ms"
echo "lumavo:      ${ours[*]} ms"
b="$(median "${bare[@]}")"
o="$(median "${ours[@]}")"
echo "medians of $runs: bare $b ms, lumavo $o ms, ratio $(awk -v o="$o" -v b="$b" 'BEGIN { printf "%.2f", o / b }')"
