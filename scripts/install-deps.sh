#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, if missing.
set -euo pipefail

packages=(g++ clang cmake ninja-build pkg-config googletest libgtest-dev
          libgmock-dev libbenchmark-dev libfltk1.3-dev libx11-dev
          libcairo2-dev libcli11-dev nlohmann-json3-dev xvfb xauth
          libclang-rt-14-dev clang-format)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
