#!/usr/bin/env bash
# Builds what is stale and runs every test: the host tests under the sanitizers,
# a short fuzzing smoke run, and the Windows tests under Wine on a private Xvfb
# display. Ends with ctest's summary. Pass ctest arguments through, e.g. -R Sjis.
set -uo pipefail
cd "$(dirname "$0")"
source tests/support/wine-env.sh

[ -f "$QV_BUILD/CTestTestfile.cmake" ] && [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "test: run ./setup.sh first" >&2; exit 1; }
jobs=$(nproc)
for cfg in win host fuzz; do
  cmake --build "$QV_BUILD/$cfg" -j"$jobs" >"$QV_BUILD/build-$cfg.log" 2>&1 || { cat "$QV_BUILD/build-$cfg.log"; echo "test: build of $cfg failed" >&2; exit 1; }
done

xvfb_pid=""
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# A fresh copy of the pristine prefix, so no run sees what an earlier one left.
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"

# A private display on a free number.
qv_start_xvfb 1280x1024 91 || { echo "test: no Xvfb display could be started" >&2; exit 1; }

# Wine's services must run before ctest: started from inside it they inherit its
# output pipe and ctest waits for them forever.
qv_wine_env wineserver -p
qv_wine_env wine wineboot </dev/null >/dev/null 2>&1
# The same holds for Wine's desktop process: the keep-alive program starts it
# and tells so by creating a file (named by its Windows path on drive Z:).
ready="$QV_BUILD/wine/keepalive.ready"
rm -f "$ready"
qv_wine_env wine "$QV_BUILD/win/tests/qv_keepalive.exe" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
for _ in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
[ -f "$ready" ] || echo "test: the keep-alive program did not start; GUI tests may hang" >&2

cd "$QV_BUILD"
# A test that fails is run once more before it counts as failed: a few window
# tests depend on Wine's timing when every core is busy. A real fault fails twice,
# and a test that passed only on its second try is named at the end: it is a
# flaky test to fix, not a pass to forget.
out="$QV_BUILD/ctest-output.log"
qv_wine_env ctest -j"$jobs" --output-on-failure --repeat until-pass:2 "$@" 2>&1 | tee "$out"
rc=${PIPESTATUS[0]}
# ctest prints a repeated attempt without the "n/N" counter in front.
retried=$(grep -aE '^ +Test +#[0-9]+: [^ ]+ \.* +Passed' "$out" | sed -E 's/^ +Test +#[0-9]+: ([^ ]+) .*/\1/' | sort -u)
if [ -n "$retried" ]; then
  echo
  echo "test: passed only on the second try (flaky, fix the cause):"
  printf '  %s\n' $retried
  # The summary stays the last line.
  grep -aE '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$out" | tail -n 1
fi
exit "$rc"
