#!/usr/bin/env bash
# Pictures of the editor's forms: build/screenshots/editor-<form>.png for each
# form named (all of them without arguments), on a private Xvfb display and a
# copy of the pristine Wine prefix; run ./setup.sh first.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
source tests/support/shot-session.sh
exe="$QV_BUILD/win/tests/editor/qv_editor_shots.exe"
[ -f "$exe" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
forms=("$@")
[ ${#forms[@]} -gt 0 ] || forms=(hotkey-dialog hotkey-edit select-button number-dialog file-ext file-ext-line version)
qv_shot_session editor 1024x768
status=0
for form in "${forms[@]}"; do
  qv_shot_program "$exe" "$out/editor-$form.png" "$form" || status=1
done
exit $status
