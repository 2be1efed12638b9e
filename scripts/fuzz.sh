#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 15) from the seed corpus in
# tests/fuzz/corpus; what they find new goes to a scratch folder, not into the repository.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in codec load_save; do
  mkdir -p "$scratch/$target"
  echo "fuzzing $target for ${seconds}s"
  if ! build/fuzz/tests/fuzz/${target}_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
      "$scratch/$target" "$PWD/tests/fuzz/corpus/$target" >"$scratch/$target.log" 2>&1; then
    tail -n 60 "$scratch/$target.log"
    echo "fuzz target $target failed"
    exit 1
  fi
  grep -E '^(Done|stat::(number_of_executed_units|peak_rss_mb))' "$scratch/$target.log"
done
