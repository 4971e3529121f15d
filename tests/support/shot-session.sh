# Sourced by the screenshot scripts (after wine-env.sh): a session on a
# private Xvfb display with a fresh copy of the pristine Wine prefix, and the
# run of a program that shows one picture at a time.

# qv_shot_session NAME SIZE: the prefix build/wine/NAME-shot-prefix, the
# display, the folder $shots for the programs' files, build/screenshots as
# $out, and the clean-up at exit. Ends the script when anything is missing.
qv_shot_session() {
  local name=$1 size=$2
  [ -f "$QV_PRISTINE/.qv-ready" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
  out="$QV_BUILD/screenshots"
  mkdir -p "$out"
  export WINEPREFIX="$QV_BUILD/wine/$name-shot-prefix"
  rm -rf "$WINEPREFIX"
  cp -a "$QV_PRISTINE" "$WINEPREFIX"
  xvfb_pid=""
  shots=$(mktemp -d)
  qv_start_xvfb "$size" 91 || { echo "screenshot: no Xvfb display could be started" >&2; exit 1; }
  trap qv_shot_cleanup EXIT
}

qv_shot_cleanup() {
  qv_wine_env wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$shots"
}

qv_winpath() { echo "Z:${1//\//\\}"; }

# qv_shot_program EXE PNG ARGS...: runs EXE with a ready file, a done file and
# ARGS; once it writes the area to the ready file the area goes to PNG, then
# the done file ends it. False when it did not come up.
qv_shot_program() {
  local exe=$1 png=$2 key
  shift 2
  key=$(basename "$png" .png)
  local ready="$shots/$key.ready" done="$shots/$key.done" pid ok=0
  qv_wine_env wine "$exe" "$(qv_winpath "$ready")" "$(qv_winpath "$done")" "$@" </dev/null >"$shots/$key.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do [ -s "$ready" ] && break; sleep 0.1; done
  if [ -s "$ready" ]; then
    sleep 0.5  # the last paint
    import -display "$DISPLAY" -window root -crop "$(cat "$ready")" +repage "$png" && echo "screenshot: $png"
  else
    echo "screenshot: $key did not come up" >&2
    cat "$shots/$key.log" >&2
    ok=1
  fi
  touch "$done"
  wait "$pid"
  return $ok
}
