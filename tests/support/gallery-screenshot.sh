#!/usr/bin/env bash
# Pictures of the gallery form: every control of the GUI layer with Japanese
# captions, a tooltip shown by hovering (build/screenshots/gallery.png), and
# the same form with its popup menu and a submenu open
# (build/screenshots/gallery-menu.png). On a private Xvfb display and a copy
# of the pristine Wine prefix; run ./setup.sh first.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
exe="$QV_BUILD/win/tests/ui/qv_gallery.exe"
[ -f "$exe" ] && [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
out="$QV_BUILD/screenshots"
mkdir -p "$out"
export WINEPREFIX="$QV_BUILD/wine/gallery-shot-prefix"
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"

xvfb_pid=""
shots=$(mktemp -d)
qv_start_xvfb 1024x768 91 || { echo "screenshot: no Xvfb display could be started" >&2; exit 1; }
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$shots"
}
trap cleanup EXIT

winpath() { echo "Z:${1//\//\\}"; }
status=0
for shot in gallery gallery-menu; do
  mode=""
  [ "$shot" = gallery-menu ] && mode=menu
  ready="$shots/$shot.ready" done="$shots/$shot.done"
  qv_wine_env wine "$exe" "$(winpath "$ready")" "$(winpath "$done")" $mode </dev/null >"$shots/$shot.log" 2>&1 &
  gallery_pid=$!
  for _ in $(seq 600); do [ -s "$ready" ] && break; sleep 0.1; done
  if [ -s "$ready" ]; then
    sleep 0.5  # the last paint
    import -display "$DISPLAY" -window root -crop "$(cat "$ready")" +repage "$out/$shot.png" &&
      echo "screenshot: $out/$shot.png"
  else
    echo "screenshot: the gallery did not come up ($shot)" >&2
    cat "$shots/$shot.log" >&2
    status=1
  fi
  touch "$done"
  wait "$gallery_pid"
done
exit $status
