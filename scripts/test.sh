#!/usr/bin/env bash
# Installs what is missing, builds everything (a release build and a build
# with address and undefined-behaviour sanitizers) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$jobs"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCOMPATTATORE_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"

# The tests never need a display.
unset DISPLAY
# The report page's tests open it in chromium, installed above: here they
# fail without it instead of skipping.
export COMPATTATORE_NEED_CHROMIUM=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== release"
ctest --test-dir build/release --output-on-failure -j "$jobs"
echo "== address and undefined-behaviour sanitizers"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

# Every fuzz target for a bounded time on each run; longer runs:
# scripts/fuzz.sh SECONDS.
echo "== fuzzing"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
