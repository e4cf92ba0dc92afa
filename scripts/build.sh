#!/usr/bin/env bash
# Configures and builds into build/ (extra CMake arguments pass through).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -G Ninja "$@"
cmake --build "$root/build"
