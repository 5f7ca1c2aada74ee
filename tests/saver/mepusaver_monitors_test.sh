#!/usr/bin/env bash
# The Linux saver on two 800 x 600 monitors side by side, unscaled and at a scale of 2: full
# screen plays on the primary monitor and blacks out the other one; in a host window (-p,
# -window-id) and on the root window (-root) the whole frame fills the host, whatever the scale.
# Usage: mepusaver_monitors_test.sh MEPUSAVER (run under tools/with-xvfb.sh with two monitors)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
prepare_saver_settings 4
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
[ "$width" = 1600 ] && [ "$height" = 600 ] || { echo "expects two 800x600 screens, got ${width}x$height"; exit 1; }

# Fails unless the shot $1 is black all over the rectangle $2 (WxH+X+Y).
expect_black() {
  local brightest
  brightest=$(convert "$1" -crop "$2" +repage -format '%[fx:maxima]' info:)
  [ "$brightest" = 0 ] || { echo "not black at $2 in $1 (brightest $brightest)"; return 1; }
}

# A grey desktop, so that a monitor the saver leaves uncovered shows.
xsetroot -solid grey50

for factor in 1 2; do
  export QT_SCALE_FACTOR=$factor
  xdotool mousemove 200 200
  "$saver" -s & pid=$!
  wait_window WindowsScreenSaverClass
  sleep 1
  # Frames change on the primary monitor's 800 x 600.
  for n in $(seq 30); do
    import -window root "$work/full.png"
    [ "$(convert "$work/full.png" -crop 800x600+0+0 -format '%[fx:minima]' info:)" = 0 ] && break
    sleep 0.3
  done
  convert "$work/full.png" -crop 800x600+0+0 +repage "$work/primary.png"
  expect_sample_frame "$work/primary.png" 800 600
  expect_black "$work/full.png" 800x600+800+0
  [ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/full.png" "$MEPU_SHOT_DIR/qt_two_monitors_scale_$factor.png"
  # Input on the second monitor ends it as well.
  xdotool mousemove 1200 300
  expect_exit_within "$pid" 100
  wait "$pid"
  echo "scale $factor, full screen: ok"

  # In a host window: the host's device pixels are the picture's whole extent.
  xmessage -name mepuhost -title mepuhost -geometry 400x300+100+100 host & host=$!
  wait_window mepuhost
  host_id=$(printf '0x%x' "$(xdotool search --onlyvisible --name '^mepuhost$' | head -n 1)")
  for mode in -p -window-id; do
    "$saver" "$mode" "$host_id" & hosted=$!
    sleep 3
    read -r host_x host_y < <(xwininfo -id "$host_id" | awk '/Absolute upper-left X/ { x = $4 }
      /Absolute upper-left Y/ { y = $4 } END { print x, y }')
    import -window root "$work/hosted.png"
    convert "$work/hosted.png" -crop "400x300+$host_x+$host_y" +repage "$work/host.png"
    [ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/host.png" "$MEPU_SHOT_DIR/qt_host${mode}_scale_$factor.png"
    expect_sample_frame "$work/host.png" 400 300
    kill -TERM "$hosted"
    expect_exit_within "$hosted" 50
    echo "scale $factor, $mode: ok"
  done
  kill "$host"

  env -u XSCREENSAVER_WINDOW "$saver" -root & hack=$!
  sleep 1
  expect_frames_change "$work" "$width" "$height"
  kill -TERM "$hack"
  expect_exit_within "$hack" 10
  echo "scale $factor, -root: ok"
done
