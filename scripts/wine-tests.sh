#!/usr/bin/env bash
# Runs the Windows build's tests under Wine. Call it under xvfb-run; one Wine prefix and one
# wineserver serve the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
export TALLYVANE_WINEPREFIX=${TALLYVANE_WINEPREFIX:-$cache/wine-test}
export WINEPREFIX=$TALLYVANE_WINEPREFIX
export TALLYVANE_SCREENSHOTS=${TALLYVANE_SCREENSHOTS:-$PWD/build/screenshots}
mkdir -p "$TALLYVANE_SCREENSHOTS"

rm -rf "$WINEPREFIX"  # a fresh prefix each run: no state left over from earlier runs
mkdir -p "$(dirname "$WINEPREFIX")"
scripts/wine-prefix.sh "$WINEPREFIX" 96

# A server started here, detached from ctest's pipes, so ctest does not wait on it after each test.
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c exit 0 </dev/null >/dev/null 2>&1
ctest --preset windows "$@"
