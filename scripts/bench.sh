#!/usr/bin/env bash
# Prints every performance figure in one table: the engine's load + save round trip against a
# bare read + write (native), each editor's start-up against a minimal window program (under
# Wine, medians of STARTS starts, default 15), and the size of each exe.
# Usage: scripts/bench.sh [STARTS]
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-15}
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
  wine build/windows/bench/startup_bench.exe '$(win "$folder")' $starts \
    '$(win "$PWD/build/windows/bench/minimal_window.exe")' '$(win "$PWD/build/windows/full/tallyvane.exe")' \
    '$(win "$PWD/build/windows/lite/tallyvane-lite.exe")'
  wineserver -k")

median() { echo "$engine" | awk -v name="$1" '$1 ~ name"/.*_median" {print $2}'; }
minimal=$(echo "$startup" | sed -n 's/.*minimal window \([0-9.]*\) ms.*/\1/p')
row() { printf '| %-44s | %14s | %-28s |\n' "$1" "$2" "$3"; }
row "measure" "figure" "against"
row "--------------------------------------------" "--------------" "----------------------------"
row "engine load+save round trip (median, ns)" "$(median EngineRoundTrip)" "bare read+write $(median BareReadWrite) ns"
row "engine / bare (medians)" "$(awk -v a="$(median EngineRoundTrip)" -v b="$(median BareReadWrite)" 'BEGIN {printf "%.2fx", a / b}')" "goal <= 1.5x"
row "start-up minimal window (median, ms)" "$minimal" "-"
for program in tallyvane tallyvane-lite; do
  line=$(echo "$startup" | grep "start-up $program.exe ")
  row "start-up $program.exe (median, ms)" "$(echo "$line" | awk '{print $3}')" \
    "$(echo "$line" | awk '{print $6}') of minimal, goal <= 1.3x"
done
for exe in build/windows/full/tallyvane.exe build/windows/lite/tallyvane-lite.exe; do
  row "size of $(basename "$exe") (bytes)" "$(stat -c %s "$exe")" "goal <= 1048576"
done
