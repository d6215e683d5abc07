#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes the README's screenshots of the built program under Xvfb with a window manager.
# Needs: xvfb xauth openbox xdotool imagemagick, and qt6-gtk-platformtheme for the dark theme
# (apt-get install them first).
# Usage: scripts/screenshots.sh [PROGRAM]   (default build/bin/morvane); writes docs/*.png
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PROGRAM="${1:-$ROOT/build/bin/morvane}"
DEMO="$(mktemp -d)"
trap 'rm -rf "$DEMO"' EXIT
printf '[Server]\r\n; settings of the web server\r\nhost = www.example.org\r\nport = 8080, 8443, "both"\r\n\r\n[Logging]\r\nlevel = info\r\ncompress\r\n' >"$DEMO/webserver.ini"
printf 'Notes on the web server.\r\nThe certificate is renewed on Mondays.\r\n' >"$DEMO/notes.txt"
yes 'retry = 12, 12.5, "text"' | head -c 150000000 >"$DEMO/archive.ini" || true # long enough to show progress

export XDG_STATE_HOME="$DEMO/state" # the recovery copies of the edits made here go with it

xvfb-run -a -s "-screen 0 1100x820x24" bash -s "$PROGRAM" "$ROOT/docs" "$DEMO" <<'SHOTS'
set -e
program="$1" docs="$2" demo="$3"
openbox >/dev/null 2>&1 &
sleep 1
# The whole screen, cut down to what is not the black background: the windows and their frames.
shot() { sleep 1; import -window root "$1"; convert "$1" -trim +repage "$1"; }
main() { xdotool search --sync --name "Thrennic" | head -1; }
click() { xdotool mousemove --window "$(main)" "$1" "$2" click 1; sleep 0.5; }
# One window at a time: each is ended before the next starts.
stop() { kill "$app"; wait "$app" 2>/dev/null || true; sleep 0.5; }

"$program" & app=$!; sleep 2
shot "$docs/start.png"
xdotool windowsize "$(main)" 300 200; shot "$docs/minimum.png"
xdotool windowsize "$(main)" 800 600; shot "$docs/large.png"
click 58 8; click 80 30 # Help > About
shot "$docs/about.png"
stop

"$program" "$demo/notes.txt" "$demo/webserver.ini" & app=$!; sleep 2
shot "$docs/screenshot.png"
stop

# Unsaved edits: the dot beside the tab's name, and the question before they would go.
"$program" "$demo/webserver.ini" & app=$!; sleep 2
xdotool type --delay 20 "; checked "; xdotool key ctrl+w
shot "$docs/unsaved.png"
stop
rm -rf "$XDG_STATE_HOME" # its recovery copy would be offered at the next start

# A long open, chosen in the Open dialog: its progress window, over the window.
"$program" & app=$!; sleep 2
xdotool key ctrl+o; sleep 1.5
xdotool type --delay 20 "$demo/archive.ini"; xdotool key Return; sleep 0.5
shot "$docs/progress.png"
stop

# The same under a dark desktop theme: the editor keeps its light paper.
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$program" "$demo/notes.txt" "$demo/webserver.ini" &
app=$!; sleep 2
shot "$docs/dark.png"
stop

# Under a German desktop, with the File menu open from the keyboard (Alt+D).
LANG=de_DE.UTF-8 "$program" "$demo/webserver.ini" & app=$!; sleep 2
xdotool key alt+d
shot "$docs/german.png"
stop
SHOTS
