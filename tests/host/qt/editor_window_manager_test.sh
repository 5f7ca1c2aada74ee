#!/usr/bin/env bash
# The Qt editor under a real window manager: the text window's outer size, frame included, is
# 600 x 160, and its client area is what the frame leaves of that; a quick click (press and release
# at once, as a touchpad's tap sends) is seen on the welcome screen and on a menu page, a click in
# the text window while a dialog is open does nothing afterwards, and a quick right click ends the
# pen tool every time.
# Usage: editor_window_manager_test.sh MEPU BIN_DIR (run under tools/with-xvfb.sh on a display of
# its own)
set -euo pipefail
mepu=$1
bin_dir=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/mepu" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "$bin_dir/" > "$XDG_CONFIG_HOME/mepu/mepusys.ini"

# openbox now and then fails to open a display that has only just come up: try again.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 5); do
  openbox >"$work/openbox.log" 2>&1 &
  for _ in $(seq 30); do wm_running && break; sleep 0.1; done
  wm_running && break
  sleep 0.5
done
wm_running || { echo "no window manager"; cat "$work/openbox.log"; exit 1; }
# exec: the job is the editor itself, so that the trap stops it and waits for it.
(cd "$work" && exec "$mepu" >/dev/null 2>&1) &

window=""
for _ in $(seq 100); do
  window=$(xdotool search --name 'text out' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no text window"; exit 1; }

# The window manager frames the window after it appears; the program then fits its client area.
outer=""
for _ in $(seq 100); do
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
  height=$(xwininfo -id "$window" | awk '/Height:/ { print $2 }')
  if [ -n "$extents" ]; then
    IFS=, read -r left right top bottom <<< "$extents"
    outer="$((width + left + right))x$((height + top + bottom))"
    [ "$outer" = 600x160 ] && [ "$top" -gt 0 ] && break
  fi
  sleep 0.1
done
echo "frame $extents, client ${width}x${height}, outer $outer"
[ "$outer" = 600x160 ] || { echo "the outer size is not 600x160"; exit 1; }
[ "$top" -gt 0 ] || { echo "no title bar"; exit 1; }
echo "text window: ok"

main=$(xdotool search --name '^tarvolo Zelkon interface$' | head -1)
# The canvas fills the client area below the host's menu bar, at 1x.
client_height=$(xwininfo -id "$main" | awk '/Height:/ { print $2 }')
canvas_top=$((client_height - 240))
# Quick click on the welcome screen: the system page comes; quick click on its speed button: the
# value dialog opens.
xdotool mousemove --window "$main" 160 $((canvas_top + 120)) click 1
sleep 0.5
xdotool mousemove --window "$main" 40 $((canvas_top + 52)) click 1
for _ in $(seq 50); do
  xdotool search --name -- '-GetValue-' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name -- '-GetValue-' >/dev/null 2>&1 ||
  { echo "a quick click was lost: no value dialog"; exit 1; }
echo "quick clicks: ok"

# Waits until a window with this name is there (true) or has gone (false), up to 5 seconds.
dialog_is() {
  for _ in $(seq 50); do
    if xdotool search --name -- "$1" >/dev/null 2>&1; then [ "$2" = there ] && return 0
    else [ "$2" = gone ] && return 0; fi
    sleep 0.1
  done
  return 1
}
close_value_dialog() {
  xdotool windowactivate --sync "$(xdotool search --name -- '-GetValue-' | head -1)" key Escape
  dialog_is -GetValue- gone
}
# A click in the text window while the dialog is open must not act once it closes, not even with
# the pointer resting on the button that opened it.
xdotool mousemove --window "$window" 100 60 click 1
xdotool mousemove --window "$main" 40 $((canvas_top + 52))
close_value_dialog || { echo "the value dialog did not close"; exit 1; }
sleep 1.5
if xdotool search --name -- '-GetValue-' >/dev/null 2>&1; then
  echo "a click made during the dialog opened it again"
  exit 1
fi
echo "click during a dialog: ok"
# To the drawing page; then round trips: the pen tool, a quick right click, and a quick click on
# the jump button, whose value dialog shows that the menu was back.
xdotool mousemove --window "$main" 60 $((canvas_top + 136)) click 1
sleep 0.5
ended=0
for round in $(seq 10); do
  xdotool mousemove --window "$main" 250 $((canvas_top + 56)) click 1
  sleep 0.3
  xdotool click 3
  sleep 0.3
  xdotool mousemove --window "$main" 250 $((canvas_top + 40)) click 1
  if dialog_is -GetValue- there; then
    ended=$((ended + 1))
    close_value_dialog || { echo "the value dialog did not close"; exit 1; }
  else
    echo "round $round: the pen tool is still on"
    # A slow right click leaves it, for the next round.
    xdotool mousedown 3 sleep 0.1 mouseup 3
    sleep 0.3
  fi
done
echo "quick right clicks that ended the pen tool: $ended of 10"
[ "$ended" = 10 ] || exit 1
