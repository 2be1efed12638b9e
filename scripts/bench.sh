#!/usr/bin/env bash
# Builds optimised and prints the benchmark figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release-native >/dev/null
cmake --build --preset release-native --target engine_bench >/dev/null
build/release-native/bench/engine_bench --benchmark_color=false
