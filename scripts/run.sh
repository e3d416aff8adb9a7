#!/usr/bin/env bash
# Starts the program in place from the build tree.
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
exec "$BUILD_DIR/gatewarden" "${@:2}"
