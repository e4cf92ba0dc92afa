#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DLUMAVO_BUILD_TESTS=OFF -DLUMAVO_BUILD_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No graphical display here (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open."
    echo "The same schedules are available from the command-line front, for example:"
    echo "  $root/build/lumavo-cli --rates $root/examples/percents.ini $root/examples/example.bak"
    echo "  $root/build/lumavo-cli --help"
    exit 1
fi
exec "$root/build/lumavo"
