#!/usr/bin/env bash
# Installs what is missing, builds the executables, their manual pages and
# compatta's bash completion, and makes the Debian package
# build/package/compattatore_VERSION_ARCH.deb with CPack. Install it with
#   apt-get install ./build/package/compattatore_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/package-build -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCOMPATTATORE_TESTS=OFF -DCOMPATTATORE_BENCH=OFF >/dev/null
cmake --build build/package-build -j "$(nproc)"
rm -f build/package/*.deb
(cd build/package-build && cpack -G DEB -B "$PWD/../package" >/dev/null)
deb=$(ls build/package/*.deb)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Depends
