#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DLUMAVO_BUILD_TESTS=OFF -DLUMAVO_BUILD_BENCH=OFF

# Until the window lands, show what the engine computes for the shipped example.
echo
echo "== lumavo-cli examples/example.bak (等额本息) =="
"$root/build/lumavo-cli" --rates "$root/examples/percents.ini" "$root/examples/example.bak"
