#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test (native,
# sanitizers, short fuzz runs, the reproducible release, and the Windows programs and tests under
# Wine: 64-bit, then 32-bit through emulation, under one Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/i686-setup.sh

for preset in native sanitize windows windows-i686; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
ctest --preset native
ctest --preset sanitize
scripts/fuzz.sh 15
scripts/release.sh --check
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c 'scripts/wine-tests.sh && scripts/i686-tests.sh'
