#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the package need,
# if missing. Every package the build uses is named here, never left to
# another package's recommendations.
set -euo pipefail

packages=(
  g++ clang cmake ninja-build pkg-config   # compilers and build
  googletest libgtest-dev libgmock-dev     # tests
  libbenchmark-dev                         # benchmarks
  libclang-rt-14-dev                       # fuzzing (libFuzzer runtime)
  libfltk1.3-dev libx11-dev                # the program's window
  libcairo2-dev libfontconfig-dev          # compatta's drawings
  libcli11-dev nlohmann-json3-dev          # compatta's command line, JSON
  xvfb xauth                               # window tests under a virtual display
  chromium                                 # report page tests in a headless browser
  help2man dpkg-dev file                   # manual pages, the Debian package
  clang-format                             # the formatting check among the tests
)

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
