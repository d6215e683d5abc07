#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes the README's screenshots of the built program under Xvfb with a window manager.
# Needs: xvfb xauth openbox xdotool imagemagick (apt-get install them first).
# Usage: scripts/screenshots.sh [PROGRAM]   (default build/bin/morvane); writes docs/*.png
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PROGRAM="${1:-$ROOT/build/bin/morvane}"
DEMO="$(mktemp -d)"
trap 'rm -rf "$DEMO"' EXIT
printf '[Main]\r\n; settings of the flagship\r\nname = Kestrel\r\nspeed = 12.5, 7, "fast"\r\n\r\n[Crew]\r\ncaptain = Ada\r\nflag\r\n' >"$DEMO/ships.ini"
printf 'Notes on the fleet.\r\nThe Kestrel sails at dawn.\r\n' >"$DEMO/notes.txt"

xvfb-run -a -s "-screen 0 1100x820x24" bash -s "$PROGRAM" "$ROOT/docs" "$DEMO" <<'SHOTS'
set -e
program="$1" docs="$2" demo="$3"
openbox >/dev/null 2>&1 &
sleep 1
# The whole screen, cut down to what is not the black background: the windows and their frames.
shot() { sleep 1; import -window root "$1"; convert "$1" -trim +repage "$1"; }
main() { xdotool search --sync --name "Thrennic" | head -1; }
click() { xdotool mousemove --window "$(main)" "$1" "$2" click 1; sleep 0.5; }

"$program" & sleep 2
shot "$docs/start.png"
xdotool windowsize "$(main)" 300 200; shot "$docs/minimum.png"
xdotool windowsize "$(main)" 800 600; shot "$docs/large.png"
click 58 8; click 80 30 # Help > About
shot "$docs/about.png"
kill %2; sleep 1

"$program" "$demo/notes.txt" "$demo/ships.ini" & sleep 2
shot "$docs/screenshot.png"
kill %2
SHOTS
