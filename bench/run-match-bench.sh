#!/usr/bin/env bash
# Runs the matching benchmark under Wine and, in the same run and on the same
# 100,000 names, fzf --filter and fzy -e for the same typed texts. Every program
# is pinned to one core (taskset) for a single-threaded comparison; each peer's
# start-up is taken off by timing it on an empty input too. Takes well under a
# minute. Usage: bench/run-match-bench.sh [core]
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/wine-env.sh
core=${1:-1}
exe="$QV_BUILD/win/bench/match_bench.exe"
[ -f "$exe" ] || cmake --build "$QV_BUILD/win" --target match_bench >/dev/null
for tool in fzf fzy taskset iconv; do
  command -v "$tool" >/dev/null || { echo "run-match-bench: $tool is missing (./setup.sh installs it)" >&2; exit 1; }
done

# A prefix of its own, so that a test run in progress is not disturbed.
export WINEPREFIX="$QV_BUILD/wine/bench"
[ -d "$WINEPREFIX" ] || cp -a "$QV_PRISTINE" "$WINEPREFIX"
work=$(mktemp -d)
trap 'qv_wine_env wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

qv_wine_env taskset -c "$core" wine "$exe" --names "Z:${work//\//\\}\\names.sjis" </dev/null 2>/dev/null | tee "$work/ours.txt"
iconv -f CP932 -t UTF-8 "$work/names.sjis" > "$work/names.txt"
: > "$work/empty.txt"

now_ns() { date +%s%N; }
# Best of five runs of a command, in milliseconds.
best_ms() {
  local best="" t0 t1 d
  for _ in 1 2 3 4 5; do
    t0=$(now_ns); "$@" >/dev/null; t1=$(now_ns)
    d=$(( (t1 - t0) / 1000 ))
    [ -z "$best" ] || [ "$d" -lt "$best" ] && best=$d
  done
  awk -v us="$best" 'BEGIN { printf "%.3f", us / 1000 }'
}
fzf_run() { GOMAXPROCS=1 taskset -c "$core" fzf --filter "$1" < "$2"; }
fzy_run() { taskset -c "$core" fzy -j 1 -e "$1" < "$2"; }

fzf_start=$(best_ms fzf_run k "$work/empty.txt")
fzy_start=$(best_ms fzy_run k "$work/empty.txt")
echo
echo "peers on the same 100000 names, start-up taken off (fzf $fzf_start ms, fzy $fzy_start ms)"
printf "%-8s %10s %10s %10s %10s | %12s %12s\n" typed "ours m0" "ours m1" "fzf" "fzy" "fzf/ours m0" "fzy/ours m0"
word=keisan
for len in 1 2 3 4 5 6; do
  q=${word:0:len}
  f=$(best_ms fzf_run "$q" "$work/names.txt")
  y=$(best_ms fzy_run "$q" "$work/names.txt")
  # Our times for this typed length: mode 0 and mode 1, romaji off, 100000 names.
  m0=$(awk -v c=$((len + 4)) '$1 == 100000 && $2 == 0 && $3 == "off" { print $c }' "$work/ours.txt")
  m1=$(awk -v c=$((len + 4)) '$1 == 100000 && $2 == 1 && $3 == "off" { print $c }' "$work/ours.txt")
  awk -v q="$q" -v f="$f" -v y="$y" -v fs="$fzf_start" -v ys="$fzy_start" -v m0="$m0" -v m1="$m1" 'BEGIN {
    f -= fs; y -= ys; if (f < 0) f = 0; if (y < 0) y = 0
    printf "%-8s %10.3f %10.3f %10.3f %10.3f | %12.1f %12.1f\n", q, m0, m1, f, y, f / m0, y / m0 }'
done
echo "(milliseconds per keystroke; the ratios say how many times longer the peer takes)"
