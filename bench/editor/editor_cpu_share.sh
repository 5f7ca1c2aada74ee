#!/usr/bin/env bash
# CPU share of the real Linux editor while it waits (welcome screen, system menu page, the pen tool
# waiting for a stroke) and while it plays an animation at 60 frames per second, each measured over
# a stretch of wall time under Xvfb with a window manager. The share is the editor process's
# user + system time over wall time, in percent of one core.
#
#   bench/editor/editor_cpu_share.sh [PROGRAM] [SECONDS]
#
# PROGRAM defaults to build/bin/mepu; its folder must hold the menu images (as a build's bin/ does).
# Run it once for a baseline build and once for the build under test, on the same machine.
set -euo pipefail

here="$(cd "$(dirname "$0")/../.." && pwd)"
program="$(realpath "${1:-$here/build/bin/mepu}")"
seconds="${2:-10}"
[ -x "$program" ] || { echo "no editor program at $program" >&2; exit 2; }

if [ -z "${MEPU_BENCH_DISPLAY_READY:-}" ]; then
  MEPU_BENCH_DISPLAY_READY=1 exec bash "$here/tools/with-xvfb.sh" bash "$0" "$program" "$seconds"
fi

work="$(mktemp -d /tmp/mepu-cpu-bench.XXXXXX)"
editor_pid=""
openbox_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

openbox >/dev/null 2>&1 &
openbox_pid=$!
sleep 0.5

# A configured editor: mepusys.ini names the program's folder.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/mepu"
printf '%s/' "$(dirname "$program")" >"$XDG_CONFIG_HOME/mepu/mepusys.ini"
export QT_QPA_PLATFORM=xcb

. "$here/bench/cpu_share.sh"

# Prints "<label>: <percent> % of one core over <seconds> s".
measure() {
  printf '%-28s %6s %% of one core over %s s\n' "$1:" "$(cpu_shares "$seconds" "$editor_pid")" \
    "$seconds"
}

main_window() {
  local id
  for _ in $(seq 100); do
    id="$(xdotool search --name '^tarvolo Zelkon interface$' 2>/dev/null | head -n 1)" || true
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "the editor's main window did not appear" >&2
  exit 1
}

start_editor() {
  (cd "$work" && exec "$program" "$@") >"$work/editor.log" 2>&1 &
  editor_pid=$!
  window="$(main_window)"
  sleep 2
}

stop_editor() {
  kill "$editor_pid" 2>/dev/null || true
  wait "$editor_pid" 2>/dev/null || true
  editor_pid=""
}

# Waiting at the welcome screen, the pointer resting over the canvas.
start_editor
xdotool mousemove --window "$window" 200 150
sleep 0.5
measure "welcome screen"

# A left click (held for a moment, so that an editor that misses quick clicks sees it too) opens
# the system menu page; the pointer then rests where no button is.
xdotool mousedown 1
sleep 0.2
xdotool mouseup 1
xdotool mousemove --window "$window" 300 230
sleep 1
measure "system menu page"

# The pen tool waiting for a stroke, the pointer resting over the canvas: from the system page
# to the drawing page, then the pen button. The canvas is the window's bottom 320 x 240, below the
# menu bar.
menu_bar=$(( $(xdotool getwindowgeometry "$window" | awk '/Geometry:/ { split($2, s, "x"); print s[2] }') - 240 ))
click_canvas() {
  xdotool mousemove --window "$window" "$1" $(( $2 + menu_bar ))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}
click_canvas 40 135
click_canvas 230 55
xdotool mousemove --window "$window" 160 $(( 120 + menu_bar ))
sleep 1
measure "pen tool waiting"
stop_editor

# A file named on the command line plays in a loop at its own speed: the sample at 60 per second.
sample="$(dirname "$program")/sample.mpa"
[ -f "$sample" ] || sample="$here/data/sample.mpa"
cp "$sample" "$work/fast.mpa"
# The speed is the header's fifth 32-bit little-endian field.
printf '\x3c\x00\x00\x00' | dd of="$work/fast.mpa" bs=1 seek=16 conv=notrunc status=none
start_editor fast.mpa
xdotool mousemove --window "$window" 300 230
measure "playback at 60 per second"
stop_editor
