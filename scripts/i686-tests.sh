#!/usr/bin/env bash
# Runs the 32-bit Windows build's tests as scripts/wine-tests.sh runs the 64-bit ones, under Wine
# in the i386 chroot (scripts/i686-setup.sh makes it): the core and platform tests as 32-bit
# programs, then the end-to-end suite against the i686 editors and their twins. Call it under
# xvfb-run; one 32-bit prefix and one wineserver serve the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/i686-env.sh
i686_mount
trap 'in_i686 wineserver -k >/dev/null 2>&1 || true; i686_unmount' EXIT

# The prefix is made once under emulation and copied fresh for each run.
mkdir -p "$root$(dirname "$i686_prefix")"
if [ ! -f "$root$i686_pristine_prefix/.tallyvane-ready" ]; then
  TALLYVANE_I686_PREFIX=$i686_pristine_prefix in_i686 bash scripts/wine-prefix.sh \
    "$i686_pristine_prefix" 96
  in_i686 wineserver -k >/dev/null 2>&1 || true
fi
rm -rf "$root$i686_prefix"
cp -a "$root$i686_pristine_prefix" "$root$i686_prefix"

# As for the 64-bit run: a server started here, detached from ctest's pipes.
in_i686 wineserver -p </dev/null >/dev/null 2>&1
in_i686 wine cmd /c exit 0 </dev/null >/dev/null 2>&1
ctest --preset windows-i686 "$@"
