#!/usr/bin/env bash
# Starts the launcher from the build's install folder under the project's Wine
# environment: on the current display, or on a fresh Xvfb when there is none.
# Arguments go to quorvane.exe (e.g. ./run.sh /Debug).
set -uo pipefail
cd "$(dirname "$0")"
source tests/support/wine-env.sh

exe="$QV_BUILD/win/dist/quorvane.exe"
[ -f "$exe" ] && [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "run: run ./setup.sh first" >&2; exit 1; }
cmake --build "$QV_BUILD/win" --target quorvane -j"$(nproc)" >"$QV_BUILD/build-run.log" 2>&1 \
  || { cat "$QV_BUILD/build-run.log"; echo "run: build failed" >&2; exit 1; }

# Its own prefix, copied once from the pristine one, kept between runs.
export WINEPREFIX="$QV_BUILD/wine/run-prefix"
[ -d "$WINEPREFIX" ] || cp -a "$QV_PRISTINE" "$WINEPREFIX"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 91 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do xdpyinfo -display ":$n" >/dev/null 2>&1 && break; sleep 0.1; done
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then export DISPLAY=":$n"; break; fi
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "run: no Xvfb display could be started" >&2; exit 1; }
  echo "run: launcher on the private display $DISPLAY"
fi
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

cd "$(dirname "$exe")"
# The editor's first-run setup fills the user data folder; until it is in the
# install folder, empty Items and Icons folders let the launcher start.
if [ ! -f Files/QVEditor.exe ]; then
  user_dir="Users/$(id -un)"
  [ -f Users/UseSameData.ini ] && user_dir="Users/All Users"
  mkdir -p "$user_dir/Items" "$user_dir/Icons"
fi
qv_wine_env wine "$exe" "$@"
qv_wine_env wineserver -w
