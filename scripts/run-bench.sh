#!/usr/bin/env bash
# Runs every benchmark of a build configured with -DGATEWARDEN_BENCH=ON and prints its figures.
set -euo pipefail
BUILD_DIR=${1:-build-bench}
cd "$(dirname "$0")/.."
found=0
for bench in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  found=1
  echo "== $(basename "$bench")"
  "$bench"
done
[ "$found" = 1 ] || echo "bench: no benchmarks in $BUILD_DIR/bench"
