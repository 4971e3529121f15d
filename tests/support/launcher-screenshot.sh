#!/usr/bin/env bash
# Starts the launcher from the install folder on a private Xvfb display and
# captures the screen to build/launcher.png (or the file given). QV_DPI=144
# runs it at that screen DPI (the prefix copy's LogPixels).
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
out=${1:-$QV_BUILD/launcher.png}

exe="$QV_BUILD/win/dist/quorvane.exe"
[ -f "$exe" ] && [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
export WINEPREFIX="$QV_BUILD/wine/shot-prefix"
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"
dpi=${QV_DPI:-96}

xvfb_pid=""
data=""
qv_start_xvfb 800x600 91 || { echo "screenshot: no Xvfb display could be started" >&2; exit 1; }
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$data" ] && rm -rf "$data"
}
trap cleanup EXIT
if [ "$dpi" != 96 ]; then
  qv_wine_env wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  qv_wine_env wineserver -w
fi

# A data folder of its own, so the launcher starts without the editor's setup.
data=$(mktemp -d)
cp "$exe" "$data/"
mkdir -p "$data/Users/All Users/Items" "$data/Users/All Users/Icons" "$data/Files"
touch "$data/Users/UseSameData.ini"
printf 'version=150103\r\n' > "$data/Users/All Users/quorvane.ini"
(cd "$data" && qv_wine_env wine quorvane.exe </dev/null >/dev/null 2>&1 &)
# Until its window is on the display (a first start in a new prefix copy may
# take long on a busy machine), then a moment for the painting.
for _ in $(seq 600); do
  xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -q '"quorvanemain"' && break
  sleep 0.1
done
sleep 2
import -display "$DISPLAY" -window root "$out" && echo "screenshot: $out"
