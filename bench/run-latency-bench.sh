#!/usr/bin/env bash
# Keystroke latency in the real launcher window. Writes keyword stores of
# 10,000 and 100,000 keywords (and with "all", 100,000 in the root group),
# starts the launcher on each under Wine on a private Xvfb display, and types
# key scripts into it with the driver (bench/LatencyDriver.cpp); the same driver
# on a bare edit-and-list stand-in gives the floor. Everything runs pinned to
# one core. Prints per store and kind of key the median, 90th percentile and
# worst milliseconds from the key to the last change of the popup or the edit,
# the start-up times and the launcher's working set after the run.
# Usage: bench/run-latency-bench.sh [core] [rounds] [stores]
#   stores: keyword counts, default "10000 100000"; a count with "r" after it
#   ("100000r") puts every keyword in the root group.
# QV_LATENCY_LAUNCHER names another quorvane.exe to measure (an older build).
set -euo pipefail
cd "$(dirname "$0")/.."
core=${1:-1}
rounds=${2:-2}
stores=${3:-10000 100000}
# Everything started from here (Xvfb, wineserver, the programs) inherits the core.
if [ -z "${QV_LATENCY_PINNED:-}" ]; then
  exec env QV_LATENCY_PINNED=1 taskset -c "$core" "$0" "$@"
fi
source tests/support/wine-env.sh
win="$QV_BUILD/win"
cmake --build "$win" --target quorvane MakeKeywordStore latency_driver latency_standin -j"$(nproc)" >/dev/null

export WINEPREFIX="$QV_BUILD/wine/latency"
rm -rf "$WINEPREFIX"
cp -a "$QV_PRISTINE" "$WINEPREFIX"
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
qv_start_xvfb 1280x1024 120 || { echo "latency: no Xvfb display could be started" >&2; exit 1; }
qv_wine_env wineserver -p
qv_wine_env wine wineboot </dev/null >/dev/null 2>&1

winpath() { echo "Z:${1//\//\\}"; }
# Wine's own notices (a volume label it cannot read) are left out.
run() { qv_wine_env wine "$@" </dev/null 2>&1 | iconv -f CP932 -t UTF-8 | grep -v "^wine: "; }

echo "core $core, $rounds rounds of 12 words; milliseconds from the key to the last change"
run "$win/bench/latency_driver.exe" --exe "$(winpath "$win/bench/latency_standin.exe")" --class QvLatencyStandIn \
  --label stand-in --rounds "$rounds" --raw "$(winpath "$work/stand-in.txt")"
for s in $stores; do
  n=${s%r}
  folder="$work/store$s"
  mkdir -p "$folder"
  root=""
  [ "$s" != "$n" ] && root=--root-only
  run "$win/bench/MakeKeywordStore.exe" "$(winpath "$folder")" "$n" $root | sed "s/^/store $s: /"
  cp "${QV_LATENCY_LAUNCHER:-$win/dist/quorvane.exe}" "$folder/quorvane.exe"
  run "$win/bench/latency_driver.exe" --exe "$(winpath "$folder/quorvane.exe")" --dir "$(winpath "$folder")" \
    --class TZMRTMain --label "$s" --rounds "$rounds" --raw "$(winpath "$work/raw$s.txt")"
done
[ -n "${QV_LATENCY_RAW:-}" ] && cp "$work"/raw*.txt "$work"/stand-in.txt "$QV_LATENCY_RAW"/ 2>/dev/null
true
