#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build and the tests need and this machine lacks.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev libbenchmark-dev clang-format e2fsprogs   # native build and tests
  clang-14 libclang-rt-14-dev                                          # fuzzing
  g++-mingw-w64-x86-64-posix mingw-w64-tools googletest                # Windows build
  wine64 xvfb xauth fonts-wqy-microhei imagemagick locales             # running the Windows programs
  g++-mingw-w64-i686-posix zip                                         # release for 32-bit Windows too
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
