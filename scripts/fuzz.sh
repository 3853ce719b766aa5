#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each for SECONDS (default 30) from the seed corpus in
# fuzz/corpus/. The corpus in the repository is never changed: new inputs go
# to a scratch copy. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMPATTATORE_SANITIZE=ON \
  -DCOMPATTATORE_FUZZ=ON -DCOMPATTATORE_TESTS=OFF -DCOMPATTATORE_BENCH=OFF \
  -DCOMPATTATORE_GUI=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cc; do targets+=("$(basename "$f" .cc)"); done
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for t in "${targets[@]}"; do
  corpus=fuzz/corpus/${t%_fuzz}
  work="$scratch/$t"
  mkdir -p "$work"
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/" 2>/dev/null || true
  echo "== $t for ${seconds}s"
  build/fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$scratch/" "$work" 2>"$scratch/$t.log" || {
      tail -n 60 "$scratch/$t.log"; echo "fuzz target $t failed"; exit 1; }
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb|Done" "$scratch/$t.log" || true
done
