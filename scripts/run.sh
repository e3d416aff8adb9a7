#!/usr/bin/env bash
# Starts the program in place from the build tree. Unless GATEWARDEN_PORTS already names a
# folder of ports (or KV60SIM=0), a demo line of simulated controllers (kv60sim, devices 1 and 2)
# answers on COM1 meanwhile; it takes commands through the FIFO <build>/ports/control.
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
if [ -z "${GATEWARDEN_PORTS:-}" ] && [ "${KV60SIM:-1}" != 0 ] && [ -x "$BUILD_DIR/kv60sim" ]; then
  export GATEWARDEN_PORTS="$PWD/$BUILD_DIR/ports"
  "$BUILD_DIR/kv60sim" --demo --ports "$GATEWARDEN_PORTS" --com 1 \
    --control "$GATEWARDEN_PORTS/control" </dev/null &
  sim=$!
  trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
fi
"$BUILD_DIR/gatewarden" "${@:2}"
