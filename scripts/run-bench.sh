#!/usr/bin/env bash
# Runs every benchmark program of a build tree configured with -DGATEWARDEN_BENCH=ON and prints
# its figures. Usage: scripts/run-bench.sh [build folder, default build-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
found=0
for program in "$BUILD"/bench/bench_*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  found=1
  echo "== $(basename "$program")"
  "$program"
  echo
done
if [ "$found" = 0 ]; then
  echo "run-bench: no benchmark programs in $BUILD/bench (configure with -DGATEWARDEN_BENCH=ON)"
  exit 1
fi
