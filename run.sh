#!/usr/bin/env bash
# Starts the launcher from the build's install folder under the project's Wine
# environment: on the current display, or on a fresh Xvfb when there is none.
# Arguments go to quorvane.exe (e.g. ./run.sh /Debug).
set -uo pipefail
cd "$(dirname "$0")"
source tests/support/wine-env.sh

exe="$QV_BUILD/win/dist/quorvane.exe"
[ -f "$exe" ] && [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "run: run ./setup.sh first" >&2; exit 1; }
cmake --build "$QV_BUILD/win" --target quorvane QVEditor -j"$(nproc)" >"$QV_BUILD/build-run.log" 2>&1 \
  || { cat "$QV_BUILD/build-run.log"; echo "run: build failed" >&2; exit 1; }

# Its own prefix, copied once from the pristine one, kept between runs.
export WINEPREFIX="$QV_BUILD/wine/run-prefix"
[ -d "$WINEPREFIX" ] || cp -a "$QV_PRISTINE" "$WINEPREFIX"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  qv_start_xvfb 1280x1024 91 || { echo "run: no Xvfb display could be started" >&2; exit 1; }
  echo "run: launcher on the private display $DISPLAY"
fi
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

cd "$(dirname "$exe")"
# A first run (no Items or Icons in the user data folder) goes through the
# editor's settings window, which copies the shipped data and starts the
# launcher again.
qv_wine_env wine "$exe" "$@"
qv_wine_env wineserver -w
