#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each briefly on its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
if ! ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "fuzz: no targets"
  exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DGATEWARDEN_FUZZ=ON -DGATEWARDEN_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target fuzz_targets
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus=fuzz/corpus/$name
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  echo "fuzz: $name for ${SECONDS_PER_TARGET}s"
  ASAN_OPTIONS=detect_leaks=0 "build-fuzz/fuzz/$name" -max_total_time="$SECONDS_PER_TARGET" \
    -print_final_stats=0 "$work" 2>build-fuzz/$name.log || { tail -50 build-fuzz/$name.log; exit 1; }
done
