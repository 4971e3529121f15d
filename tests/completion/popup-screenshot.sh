#!/usr/bin/env bash
# Screenshot of the completing edit with its popup open over Japanese
# candidates (the demo types 表 as an input method would), on a private Xvfb
# display and a copy of the pristine Wine prefix. Run ./setup.sh first.
# Usage: tests/completion/popup-screenshot.sh [out.png]   (default build/popup.png)
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
out=${1:-$QV_BUILD/popup.png}
cmake --build "$QV_BUILD/win" --target qv_popup_demo >/dev/null || exit 1
export WINEPREFIX="$QV_BUILD/wine/shot-prefix"
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"
xvfb_pid=""
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
qv_start_xvfb 800x600 201 || { echo "popup-screenshot: no Xvfb display" >&2; exit 1; }
ready="$QV_BUILD/wine/popup-demo.ready"
rm -f "$ready"
qv_wine_env wineserver -p
qv_wine_env wine wineboot </dev/null >/dev/null 2>&1
qv_wine_env wine "$QV_BUILD/win/tests/completion/qv_popup_demo.exe" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
for _ in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
[ -f "$ready" ] || { echo "popup-screenshot: the demo did not come up" >&2; exit 1; }
sleep 1
import -window root -display "$DISPLAY" -crop 520x260+180+180 +repage "$out" && echo "$out"
