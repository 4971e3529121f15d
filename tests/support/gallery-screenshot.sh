#!/usr/bin/env bash
# Pictures of the gallery form: every control of the GUI layer with Japanese
# captions, a tooltip shown by hovering (build/screenshots/gallery.png), and
# the same form with its popup menu and a submenu open
# (build/screenshots/gallery-menu.png). On a private Xvfb display and a copy
# of the pristine Wine prefix; run ./setup.sh first.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/support/wine-env.sh
source tests/support/shot-session.sh
exe="$QV_BUILD/win/tests/ui/qv_gallery.exe"
[ -f "$exe" ] || { echo "screenshot: run ./setup.sh first" >&2; exit 1; }
qv_shot_session gallery 1024x768
status=0
qv_shot_program "$exe" "$out/gallery.png" || status=1
qv_shot_program "$exe" "$out/gallery-menu.png" menu || status=1
exit $status
