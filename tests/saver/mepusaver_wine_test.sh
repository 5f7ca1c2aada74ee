#!/usr/bin/env bash
# The Windows saver under Wine on an X display: full screen with frames that change, upright and
# stretched; a mouse move of one pixel ends it; with a password required the move opens the
# prompt, a wrong entry (other case) is refused with a message and the right one ends the saver.
# Usage: mepusaver_wine_test.sh MEPUSAVER.SCR (run under tools/with-xvfb.sh)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
. "$here/../../tools/wine-env.sh"
mepu_wine_prefix_ready
work=$(mktemp -d)
desktop='HKCU\Control Panel\desktop'
cleanup() {
  kill $(jobs -p) 2>/dev/null || true
  wine reg delete "$desktop" /v ScreenSaveUsePassword /f >/dev/null 2>&1 || true
  wine reg delete "$desktop" /v ScreenSavePasswordString /f >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
python3 "$here/make_sample_mpa.py" "$work/walk.mpa" 4
wine reg add 'HKCU\Software\tarvolo\MepuScreenSaver' /v loadfile /d "Z:${work//\//\\}\\walk.mpa" /f \
  >/dev/null 2>&1
wine reg delete "$desktop" /v ScreenSaveUsePassword /f >/dev/null 2>&1 || true
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

xdotool mousemove 300 300
wine "$saver" /s & pid=$!
wait_window WindowsScreenSaverClass
sleep 1
expect_frames_change "$work" "$width" "$height"
xdotool mousemove 301 300
expect_exit_within "$pid" 50
wait "$pid"
echo "full screen: ok"

wine reg add "$desktop" /v ScreenSaveUsePassword /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$desktop" /v ScreenSavePasswordString /d neko /f >/dev/null 2>&1
wine "$saver" /s & pid=$!
wait_window WindowsScreenSaverClass
sleep 0.5
xdotool mousemove 302 300
wait_window 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
sleep 0.5
import -window root "$work/prompt.png"
[ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/prompt.png" "$MEPU_SHOT_DIR/"
xdotool type --delay 50 NEKO
xdotool key Return
wait_window 'ｴﾗｰ'
kill -0 "$pid" || { echo "a wrong password ended the saver"; exit 1; }
xdotool key Return
sleep 0.5
xdotool key BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 50 neko
xdotool key Return
expect_exit_within "$pid" 50
wait "$pid"
echo "password: ok"
