#!/usr/bin/env bash
# Pictures of the editor's forms: runs the editor tests named *Screenshot*
# (each shows a form with Japanese captions and offers it through
# tests/support/Screenshot.h) and keeps build/screenshots/editor-<form>.png,
# one for each form offered. On a private Xvfb display and a copy of the
# pristine Wine prefix; run ./setup.sh first. An argument replaces the test
# filter, e.g. editor-screenshot.sh '*Screenshot.Themed'.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
source tests/support/shot-session.sh
exe="$QV_BUILD/win/tests/editor/editor_tests.exe"
cmake --build "$QV_BUILD/win" --target editor_tests -j"$(nproc)" >"$QV_BUILD/build-editor-shots.log" 2>&1 \
  || { cat "$QV_BUILD/build-editor-shots.log"; echo "screenshot: build failed" >&2; exit 1; }
filter="*Screenshot*"
[ $# -gt 0 ] && filter="$1"
qv_shot_session editor 1024x768

export QV_SHOT_DIR="Z:${shots//\//\\}"
qv_wine_env wine "$exe" --gtest_filter="$filter" </dev/null >"$shots/tests.log" 2>&1 &
tests_pid=$!
taken=0
while kill -0 "$tests_pid" 2>/dev/null; do
  for ready in "$shots"/*.ready; do
    [ -s "$ready" ] || continue
    name=$(basename "$ready" .ready)
    sleep 0.3  # the last paint
    import -display "$DISPLAY" -window root -crop "$(cat "$ready")" +repage "$out/$name.png" &&
      echo "screenshot: $out/$name.png" && taken=$((taken + 1))
    rm -f "$ready"
    touch "$shots/$name.done"
  done
  sleep 0.1
done
wait "$tests_pid"
status=$?
iconv -f cp932 -t utf-8 "$shots/tests.log" | grep -E '^\[( +OK|  FAILED) ' || true
[ "$status" -eq 0 ] || { echo "screenshot: a test failed" >&2; iconv -f cp932 -t utf-8 "$shots/tests.log" | tail -40 >&2; }
[ "$taken" -gt 0 ] || { echo "screenshot: no form was offered" >&2; status=1; }
exit $status
