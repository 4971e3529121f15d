#!/usr/bin/env bash
# Pictures of the editor's completing edits and icon chooser, made by the
# tests that wait for them: build/screenshots/param-popup.png (a parameter
# edit with its popup over Japanese keyword names) and icon-chooser.png (the
# chooser with the fixture library's five icons). Run ./setup.sh first.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
cmake --build "$QV_BUILD/win" --target editor_tests >/dev/null || exit 1
exe="$QV_BUILD/win/tests/editor/editor_tests.exe"
out="$QV_BUILD/screenshots"
mkdir -p "$out"
export WINEPREFIX="$QV_BUILD/wine/edits-shot-prefix"
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"

xvfb_pid=""
shots=$(mktemp -d)
qv_start_xvfb 1024x768 151 || { echo "screenshot: no Xvfb display could be started" >&2; exit 1; }
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$shots" "$WINEPREFIX"
}
trap cleanup EXIT
qv_wine_env wineserver -p
qv_wine_env wine wineboot </dev/null >/dev/null 2>&1

QV_SHOT_DIR="Z:${shots//\//\\}" qv_wine_env wine "$exe" --gtest_filter='*Screenshot*' </dev/null >"$shots/log" 2>&1 &
test_pid=$!
# The tests run one after the other, each waiting for its picture.
pending="param-popup icon-chooser"
for _ in $(seq 900); do
  for name in $pending; do
    [ -s "$shots/$name.ready" ] || continue
    sleep 0.5
    import -display "$DISPLAY" -window root -crop "$(cat "$shots/$name.ready")" +repage "$out/$name.png" &&
      echo "screenshot: $out/$name.png"
    touch "$shots/$name.done"
    pending=${pending/$name/}
  done
  [ -z "${pending// /}" ] && break
  kill -0 "$test_pid" 2>/dev/null || break
  sleep 0.1
done
wait "$test_pid"
[ -z "${pending// /}" ] || { echo "screenshot: no picture of$pending" >&2; iconv -f cp932 -t utf-8 "$shots/log" >&2; exit 1; }
