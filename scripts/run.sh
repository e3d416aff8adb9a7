#!/usr/bin/env bash
# Starts the program in place from the build tree (argument: the build folder, default build).
# Further arguments go to the program (for example -debug).
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

exec "$PROGRAM" "${@:2}"
