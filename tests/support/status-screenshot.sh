#!/usr/bin/env bash
# Pictures of the launcher window's status line with a Japanese comment in
# colour sets 0 (normal) and 1 (error): build/screenshots/status-set0.png and
# status-set1.png. The window is made by a test that waits for each picture.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
source tests/support/shot-session.sh
exe="$QV_BUILD/win/tests/launcher/launcher_start_tests.exe"
[ -f "$exe" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
qv_shot_session status 800x600

QV_SHOT_DIR="Z:${shots//\//\\}" qv_wine_env wine "$exe" --gtest_filter='*ScreenshotStatusLineInColourSets' \
  </dev/null >"$shots/log" 2>&1 &
test_pid=$!
for set in 0 1; do
  for _ in $(seq 600); do [ -s "$shots/ready$set" ] && break; sleep 0.1; done
  [ -s "$shots/ready$set" ] || { echo "screenshot: the window did not come up" >&2; cat "$shots/log" >&2; exit 1; }
  geometry=$(cat "$shots/ready$set")
  import -display "$DISPLAY" -window root -crop "$geometry" +repage "$out/status-set$set.png" &&
    echo "screenshot: $out/status-set$set.png"
  touch "$shots/done$set"
done
wait "$test_pid"
