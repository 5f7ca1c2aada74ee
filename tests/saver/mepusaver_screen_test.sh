#!/usr/bin/env bash
# The Linux saver on an X display: full screen, frames change, upright and stretched; a key-less
# mouse move of one pixel ends it; a running full-screen saver keeps a second one from starting;
# a preview plays inside a host window and ignores input.
# Usage: mepusaver_screen_test.sh MEPUSAVER (run under tools/with-xvfb.sh)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
prepare_saver_settings 4
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT

xdotool mousemove 200 200
"$saver" -s & pid=$!
wait_window WindowsScreenSaverClass
sleep 1
expect_frames_change "$work" "$width" "$height"

# A second full-screen saver ends at once while the first one runs.
"$saver" -s & second=$!
expect_exit_within "$second" 100
kill -0 "$pid" || { echo "the first saver ended"; exit 1; }

xdotool mousemove 201 200
expect_exit_within "$pid" 100
wait "$pid"
echo "full screen: ok"

# With a password required a move opens the prompt; the other case is refused with a message,
# the exact text ends the saver.
printf '[Control Panel\\desktop]\nScreenSaveUsePassword=1\nScreenSavePasswordString=neko\n' \
  >> "$XDG_CONFIG_HOME/mepu/registry.ini"
"$saver" -s & pid=$!
wait_window WindowsScreenSaverClass
sleep 1
xdotool mousemove 205 200
wait_window 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
answer_password_prompt "$pid" qt_prompt.png
echo "password: ok"

# Change the password: a mismatch is refused with a message and keeps both entries, a match is
# stored.
"$saver" -a & pid=$!
wait_window 'ﾊﾟｽﾜｰﾄﾞの変更'
change_password_to_abc "$pid"
grep -qx 'ScreenSavePasswordString=abc' "$XDG_CONFIG_HOME/mepu/registry.ini" ||
  { echo "the new password was not stored"; cat "$XDG_CONFIG_HOME/mepu/registry.ini"; exit 1; }
echo "change password: ok"

# Settings: cancelling writes the previous path back, a choice replaces it.
cp "$work/walk.mpa" "$work/other.mpa"
"$saver" -c & pid=$!
wait_window_focused '再生するめぷファイルの設定'
xdotool key Escape
expect_exit_within "$pid" 100
grep -qx "loadfile=$work/walk.mpa" "$XDG_CONFIG_HOME/mepu/registry.ini" ||
  { echo "cancel lost the path"; exit 1; }
"$saver" & pid=$!
wait_window_focused '再生するめぷファイルの設定'
xdotool type --delay 20 "$work/other.mpa"
xdotool key Return
expect_exit_within "$pid" 100
grep -qx "loadfile=$work/other.mpa" "$XDG_CONFIG_HOME/mepu/registry.ini" ||
  { echo "the choice was not stored"; cat "$XDG_CONFIG_HOME/mepu/registry.ini"; exit 1; }
echo "settings: ok"

# Preview: inside a host window given by its X11 id; input does not end it, the host's end does.
xmessage -name mepuhost -title mepuhost -geometry 400x300+100+100 host & host=$!
wait_window mepuhost
host_id=$(xdotool search --onlyvisible --name '^mepuhost$' | head -n 1)
import -window root "$work/before.png"
# X tools print window ids in hex.
"$saver" -p "$(printf '0x%x' "$host_id")" & preview=$!
sleep 3
xdotool mousemove 250 250 key a click 1
sleep 1
kill -0 "$preview" || { echo "input ended the preview"; exit 1; }
import -window root "$work/preview.png"
[ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/preview.png" "$MEPU_SHOT_DIR/"
# What changed is exactly the host's 400 x 300 inside, showing a frame.
changed=$(convert "$work/before.png" "$work/preview.png" -compose difference -composite \
          -threshold 1% -format '%@' info:)
case $changed in
  400x300+*) ;;
  *) echo "the preview changed $changed instead of the host's 400x300"; exit 1 ;;
esac
convert "$work/preview.png" -crop "$changed" +repage "$work/host.png"
expect_sample_frame "$work/host.png" 400 300
kill "$host"
expect_exit_within "$preview" 100
echo "preview: ok"

# For a screen-saver host: -window-id draws into the given window, leaves the input to the host
# and ends at once on SIGTERM.
xmessage -name mepuhost -title mepuhost -geometry 400x300+100+100 host & host=$!
wait_window mepuhost
host_id=$(xdotool search --onlyvisible --name '^mepuhost$' | head -n 1)
"$saver" -window-id "$(printf '0x%x' "$host_id")" & hack=$!
sleep 3
xdotool mousemove 260 260 key a click 1
sleep 1
kill -0 "$hack" || { echo "input ended the saver under -window-id"; exit 1; }
import -window root "$work/hack.png"
convert "$work/hack.png" -crop 400x300+100+100 +repage "$work/hack_host.png"
expect_sample_frame "$work/hack_host.png" 400 300
kill -TERM "$hack"
expect_exit_within "$hack" 10
kill "$host"
echo "-window-id: ok"

# -root without the host's window variable draws on the whole screen.
env -u XSCREENSAVER_WINDOW "$saver" -root & hack=$!
sleep 1
expect_frames_change "$work" "$width" "$height"
kill -TERM "$hack"
expect_exit_within "$hack" 10
echo "-root on the root window: ok"

# For a screen-saver host nothing may open over its screen: with no animation chosen the saver
# says so on stderr and ends, where a start by hand opens the settings.
status=0
XDG_CONFIG_HOME=$work/unset timeout 20 "$saver" -root 2> "$work/hosted.err" || status=$?
[ "$status" = 1 ] && grep -q 'mepusaver -c' "$work/hosted.err" ||
  { echo "no clear end without an animation (status $status)"; cat "$work/hosted.err"; exit 1; }
echo "-root without an animation: ok"
