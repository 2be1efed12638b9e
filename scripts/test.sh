#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test (native,
# sanitizers, short fuzz runs, the reproducible release, the Windows programs and tests under Wine,
# and the 32-bit Windows build, which is compiled and checked but cannot run here).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native sanitize windows windows-i686; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
ctest --preset native
ctest --preset sanitize
ctest --preset windows-i686
scripts/fuzz.sh 15
scripts/release.sh --check
xvfb-run -a -s '-screen 0 1280x1024x24' scripts/wine-tests.sh
