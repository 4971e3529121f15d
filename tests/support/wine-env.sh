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
