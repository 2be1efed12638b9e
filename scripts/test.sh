#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs every test (native,
# sanitizers, short fuzz runs, the reproducible release, and the Windows programs and tests
# under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native sanitize windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
ctest --preset native
ctest --preset sanitize
scripts/fuzz.sh 15
scripts/release.sh --check
xvfb-run -a -s '-screen 0 1280x1024x24' scripts/wine-tests.sh
