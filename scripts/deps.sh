#!/usr/bin/env bash
# Installs the Debian packages that are missing for the given needs:
#   native  g++, CMake, GoogleTest, Google Benchmark
#   fuzz    clang 14 with its sanitizer runtimes
#   windows MinGW-w64, Wine, GoogleTest's sources
#   e2e     a virtual display, a window manager, X tools, fonts, locales
set -euo pipefail

declare -A PACKAGES=(
  [native]="cmake make g++ libgtest-dev libbenchmark-dev"
  [fuzz]="clang-14 libclang-rt-14-dev"
  [windows]="cmake make python3 g++-mingw-w64-x86-64-posix googletest wine wine64"
  [e2e]="xvfb xdotool x11-utils xclip imagemagick fluxbox fonts-wqy-microhei locales xxd"
)

wanted=()
for need in "$@"; do wanted+=(${PACKAGES[$need]}); done
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
