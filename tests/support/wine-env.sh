# Sourced by setup.sh and test.sh: the environment every Wine run of the project
# uses. Everything lives below the build folder.
QV_ROOT=${QV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QV_BUILD=${QV_BUILD:-$QV_ROOT/build}
export WINEPREFIX="$QV_BUILD/wine/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QV_WINE_HOME="$QV_BUILD/wine/home"
export QV_LOCPATH="$QV_BUILD/locale"
export QV_PRISTINE="$QV_BUILD/wine/pristine"

# Runs a command with Wine's home folder and the Japanese locale (ANSI code page 932).
qv_wine_env() {
  HOME="$QV_WINE_HOME" LC_ALL=ja_JP.UTF-8 LOCPATH="$QV_LOCPATH" "$@"
}

# Starts Xvfb on the first free display number from $2 (default 91) with the
# screen size $1 (default 1280x1024), waits until it answers, and exports
# DISPLAY; the server's pid is left in xvfb_pid. False when none could start.
qv_start_xvfb() {
  local size=${1:-1280x1024} first=${2:-91} n
  xvfb_pid=""
  for n in $(seq "$first" $((first + 108))); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then export DISPLAY=":$n"; return 0; fi
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  done
  return 1
}
