#!/usr/bin/env bash
# Starts the program in place from the build tree (argument: the build folder, default build).
# Further arguments go to the program (for example -debug). Unless GATEWARDEN_PORTS already
# names a folder of ports (or KV60SIM=0), a demo line of simulated controllers (kv60sim,
# devices 1 and 2) answers on COM1 meanwhile; it takes commands through the FIFO
# <build>/ports/control and stops when the program exits. A database without doors then gets
# the demo doors and users (resources/demo/demo.sql).
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
PROGRAM="$BUILD_DIR/gatewarden"

if [ ! -x "$PROGRAM" ]; then
  echo "run: $PROGRAM does not exist; build first (make build)." >&2
  exit 1
fi

# A desktop program needs a display. Without one Qt would stop with a message about platform
# plug-ins that says little; say what to do instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
run: no display found (DISPLAY and WAYLAND_DISPLAY are empty).
Gatewarden is a desktop program and shows its windows on a display. To run it on a machine
without one, start it under a virtual X server:

    xvfb-run -a make run
or, with a build folder already made:
    xvfb-run -a bash scripts/run.sh $BUILD_DIR

(xvfb-run is in the Debian package xvfb, which make installs.) The windows are then drawn on
the virtual screen only; take a screenshot there, or connect a VNC server to it, to see them.
MSG
  exit 2
fi

if [ -z "${GATEWARDEN_PORTS:-}" ] && [ "${KV60SIM:-1}" != 0 ] && [ -x "$BUILD_DIR/kv60sim" ]; then
  export GATEWARDEN_PORTS="$PWD/$BUILD_DIR/ports"
  # A database without doors gets the demo doors and users of the simulated controllers.
  db="${GATEWARDEN_HOME:-$BUILD_DIR}/Gatewarden.sqb"
  if [ -f "$db" ] && [ "$(sqlite3 "$db" 'select count(*) from Door')" = 0 ]; then
    echo "run: adding the demo doors and users to $db"
    sqlite3 -bail "$db" < resources/demo/demo.sql
  fi
  "$BUILD_DIR/kv60sim" --demo --ports "$GATEWARDEN_PORTS" --com 1 \
    --control "$GATEWARDEN_PORTS/control" </dev/null &
  sim=$!
  trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
fi
"$PROGRAM" "${@:2}"
