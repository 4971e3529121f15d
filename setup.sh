#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, prepares the Japanese
# locale and the Wine prefix, and builds every configuration. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")"
source tests/support/wine-env.sh

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest ccache
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-tools
  wine64 xvfb x11-utils locales fonts-ipafont-gothic imagemagick
  fzf fzy
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# A real glibc locale: without it Wine fails every non-ASCII file name.
if [ ! -f "$QV_LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$QV_LOCPATH"
  localedef -i ja_JP -f UTF-8 "$QV_LOCPATH/ja_JP.UTF-8" || true
  [ -f "$QV_LOCPATH/ja_JP.UTF-8/LC_CTYPE" ] || { echo "setup: localedef failed" >&2; exit 1; }
fi

# The pristine Wine prefix; each test run starts from a copy of it.
if [ ! -f "$QV_PRISTINE/.qv-ready" ]; then
  echo "setup: creating the Wine prefix"
  rm -rf "$QV_PRISTINE"
  mkdir -p "$QV_WINE_HOME/.local/share/fonts"
  # Debian's Wine does not load its own caption and dialog fonts by itself.
  cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf "$QV_WINE_HOME/.local/share/fonts/" 2>/dev/null || true
  (
    export WINEPREFIX="$QV_PRISTINE"
    qv_wine_env wineboot -i </dev/null >/dev/null 2>&1
    qv_wine_env wineserver -w
    # No window manager under Xvfb: Wine draws the captions itself.
    qv_wine_env wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
    # Wine's default registry lacks the .txt association.
    qv_wine_env wine reg add 'HKCR\.txt' /ve /d txtfile /f </dev/null >/dev/null 2>&1
    qv_wine_env wineserver -w
  )
  touch "$QV_PRISTINE/.qv-ready"
fi
# No window manager runs, so Wine's windows are better unmanaged: a managed
# window that hides or loses the foreground waits 2 s for a window-manager reply
# that never comes (and test processes sometimes hung at their exit).
if [ ! -f "$QV_PRISTINE/.qv-unmanaged" ]; then
  (
    export WINEPREFIX="$QV_PRISTINE"
    qv_wine_env wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    qv_wine_env wineserver -w
  )
  touch "$QV_PRISTINE/.qv-unmanaged"
fi

configure() {  # build-dir, cmake arguments...
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
configure "$QV_BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
configure "$QV_BUILD/host" -DCMAKE_CXX_COMPILER=g++
configure "$QV_BUILD/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON

# One ctest run covers every configuration.
cat > "$QV_BUILD/CTestTestfile.cmake" <<'CT'
subdirs("host")
subdirs("fuzz")
subdirs("win")
CT

jobs=$(nproc)
cmake --build "$QV_BUILD/win" -j"$jobs"
cmake --build "$QV_BUILD/host" -j"$jobs"
cmake --build "$QV_BUILD/fuzz" -j"$jobs"
echo "setup: done"
