#!/usr/bin/env bash
# Prints every performance figure in one table, each median with its quartiles: the engine's load +
# save round trip against a bare read + write (native, in alternating pairs), each editor's start-up
# against a minimal window program (under Wine, ROUNDS rounds of one start each, default 30), and
# the size of each exe.
# Usage: scripts/bench.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-30}
scripts/install-deps.sh
cmake --preset release-native >/dev/null
cmake --build --preset release-native --target engine_bench make_demo_file >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target tallyvane tallyvane-lite minimal_window startup_bench >/dev/null

engine=$(build/release-native/bench/engine_bench 2>/dev/null)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
build/release-native/tools/make_demo_file "$folder/Length.dat"

source scripts/wine-env.sh
export WINEPREFIX=${WINEPREFIX:-$cache/wine-bench}
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
startup=$(xvfb-run -a -s '-screen 0 1280x1024x24' bash -c "
  scripts/wine-prefix.sh '$WINEPREFIX' 96
  wineserver -p </dev/null >/dev/null 2>&1; wine cmd /c exit 0 </dev/null >/dev/null 2>&1
  wine build/windows/bench/startup_bench.exe '$(win "$folder")' $rounds \
    '$(win "$PWD/build/windows/bench/minimal_window.exe")' '$(win "$PWD/build/windows/full/tallyvane.exe")' \
    '$(win "$PWD/build/windows/lite/tallyvane-lite.exe")'
  wineserver -k")

row() { printf '| %-44s | %10s | %-17s | %-10s |\n' "$@"; }
# "median M  quartiles A-B" of the output line that starts with $2, from the text in $1.
figures() { echo "$1" | grep "^$2" | sed -n "s/.*$3 *\([0-9.]*\)[a-z ]*quartiles \([0-9.]*-[0-9.]*\).*/\1 \2/p"; }
take() { local f; f=$(figures "$@"); row "$4" "${f% *}" "${f#* }" "$5"; }

echo "$engine" | grep pairs
echo "$startup" | grep rounds
row "measure" "median" "quartiles" "goal"
row "--------------------------------------------" "----------" "-----------------" "----------"
take "$engine" "engine load+save" median "engine load+save round trip (us)" "-"
take "$engine" "bare read+write" median "bare read+write (us)" "-"
take "$engine" "engine / bare" median "engine / bare, pair by pair (x)" "<= 1.5x"
take "$startup" "start-up minimal-window" median "start-up minimal window (ms)" "-"
for program in tallyvane tallyvane-lite; do
  take "$startup" "start-up $program.exe" median "start-up $program.exe (ms)" "-"
  take "$startup" "start-up $program.exe" ratio "$program.exe / minimal, by round (x)" "<= 1.3x"
done
for exe in build/windows/full/tallyvane.exe build/windows/lite/tallyvane-lite.exe; do
  row "size of $(basename "$exe") (bytes)" "$(stat -c %s "$exe")" "" "<= 1048576"
done
