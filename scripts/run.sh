#!/usr/bin/env bash
# Starts the program in place from the build tree (argument: the build folder, default build).
# Further arguments go to the program (for example -debug). Unless GATEWARDEN_PORTS already
# names a folder of ports (or KV60SIM=0), a demo line of simulated controllers (kv60sim,
# devices 1 and 2) answers behind the configured serial port meanwhile; it takes commands
# through the FIFO <build>/ports/control and stops when the program exits. A database without
# doors then gets the demo doors and users (resources/demo/demo.sql).
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
# Absolute from here on: the ports folder is handed to two programs.
if [ -d "$BUILD_DIR" ]; then BUILD_DIR=$(cd "$BUILD_DIR" && pwd); fi
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
  export GATEWARDEN_PORTS="$BUILD_DIR/ports"
  db="${GATEWARDEN_HOME:-$BUILD_DIR}/Gatewarden.sqb"
  com=1
  if [ -f "$db" ]; then
    # A database without doors gets the demo doors and users of the simulated controllers;
    # one that has doors is never touched.
    if [ "$(sqlite3 "$db" 'select count(*) from Door')" = 0 ]; then
      echo "run: adding the demo doors and users to $db"
      sqlite3 -bail "$db" < resources/demo/demo.sql
    fi
    # The line answers behind the serial port of the settings (setting 6).
    configured=$(sqlite3 "$db" 'select trim(value) from PublicInfo where id=6')
    if [[ "$configured" =~ ^[0-9]+$ ]] && [ "$configured" -ge 1 ] && [ "$configured" -le 20 ]; then
      com=$configured
    fi
  fi
  "$BUILD_DIR/kv60sim" --demo --ports "$GATEWARDEN_PORTS" --com "$com" \
    --control "$GATEWARDEN_PORTS/control" </dev/null &
  sim=$!
  trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
  # The program may open the port at once: wait until the line is there.
  for _ in $(seq 50); do
    [ -e "$GATEWARDEN_PORTS/COM$com" ] && break
    sleep 0.1
  done
fi
"$PROGRAM" "${@:2}"
