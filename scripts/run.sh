#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program: its files appear
# beside the executable, build/release/src/app/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target compattatore
exe=build/release/src/app/compattatore
"$exe"
echo "files written in $(dirname "$exe"):"
ls -l "$(dirname "$exe")" | grep Orsella_Vantrona || true
