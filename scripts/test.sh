#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal build, and once more
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/setup.sh"

# Formatting is part of the build's contract: one style, checked here rather than in review.
(cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)

"$root/scripts/build.sh" -DLUMAVO_BUILD_TESTS=ON -DLUMAVO_BUILD_BENCH=ON -DLUMAVO_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DLUMAVO_SANITIZE=ON -DLUMAVO_BUILD_BENCH=OFF -DLUMAVO_WERROR=ON
cmake --build "$root/build-sanitize"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

# A short fuzzing pass over the readers, from the seed corpora; scripts/fuzz.sh runs it longer.
"$root/scripts/fuzz.sh" 30
