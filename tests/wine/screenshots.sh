#!/usr/bin/env bash
# Takes screenshots of the Windows programs under Wine for a person to look at (not a test): the
# editor's system page, drawing page with the onion skin, value dialog and a message box;
# the converter's dialog; the saver's settings and password dialogs; the installer's dialog.
# usage: tools/with-xvfb.sh tests/wine/screenshots.sh BUILD_BIN_FOLDER OUTPUT_FOLDER
set -euo pipefail
bin=$(cd "$1" && pwd) out=$2
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../tools/wine-env.sh"
mepu_wine_prefix_ready
mkdir -p "$out"
printf 'Z:%s\\' "${bin//\//\\}" > "$WINEPREFIX/drive_c/windows/mepusys.ini"

wine "$bin/mepu.exe" &
editor=$!
for _ in $(seq 100); do xdotool search --name '^tarvolo Zelkon interface$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 2
main=$(xdotool search --name '^tarvolo Zelkon interface$' | head -1)
text=$(xdotool search --name 'text out' | head -1)
# The text window starts on top of the main window: put it below.
xdotool windowmove "$text" 0 330
sleep 1
# Canvas pixel (x, y) of the main window at 1x, on the screen.
origin=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')
read -r wx wy <<<"$origin"
click() { xdotool mousemove $((wx + 4 + $1)) $((wy + $3 + $2)) && sleep 0.3 && xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1 && sleep 0.5; }
shot() { sleep 1; import -window root -crop 1000x720+0+0 "$out/$1.png"; }
top=$(( $(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p') - 244 ))

click 160 120 "$top"; shot system-page
click 42 136 "$top"                       # to the drawing page
click 234 56 "$top"                       # pen: draw a stroke on frame 1
xdotool mousemove $((wx + 4 + 60)) $((wy + top + 150)) mousedown 1; sleep 0.3
for x in 80 100 120 140 160; do xdotool mousemove $((wx + 4 + x)) $((wy + top + 150 + x / 4)); sleep 0.2; done
xdotool mouseup 1; sleep 0.3; xdotool click 3; sleep 0.8
click 42 40 "$top"                        # next frame
click 234 56 "$top"; shot drawing-page-onion-skin
xdotool click 3; sleep 0.8
click 170 136 "$top"                      # back to the system page
click 42 56 "$top"; shot value-dialog
xdotool key Escape; sleep 0.5
# The host menu "動作" and its second entry, the quit question.
xdotool mousemove $((wx + 20)) $((wy + top - 10)) click 1; sleep 0.8
xdotool mousemove $((wx + 30)) $((wy + top + 28)) click 1; shot quit-question
xdotool key Escape; sleep 0.5
kill "$editor" 2>/dev/null || true

# Each other program's dialog on its own, ended by its process id after the shot.
program_shot() {
  local name=$1; shift
  ( cd "$bin" && exec wine "$@" ) >/dev/null 2>&1 &
  local pid=$!
  sleep 4; shot "$name"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
program_shot converter-dialog "$bin/m2bmp.exe"
program_shot saver-settings "$bin/mepusaver.scr" /c
program_shot saver-change-password "$bin/mepusaver.scr" /a 0
program_shot installer-dialog "$bin/install.exe"
wineserver -k || true
