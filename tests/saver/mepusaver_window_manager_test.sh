#!/usr/bin/env bash
# The Linux saver's full screen under a real window manager (openbox): it asks for the full-screen
# state and covers a panel and a window that keep themselves above, it keeps the keys while a
# window behind it has the focus, system keys do not end it, and a close request, from Alt+F4 or
# from the window manager, goes through the password.
# Usage: mepusaver_window_manager_test.sh MEPUSAVER (run under tools/with-xvfb.sh)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
prepare_saver_settings 4
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT

openbox --sm-disable --config-file /dev/null >/dev/null 2>&1 &
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

# A window remade with the given window type and state before the manager maps it again.
window_above() {
  local name=$1 colour=$2 geometry=$3 type=$4 id
  xmessage -name "$name" -title "$name" -bg "$colour" -fg "$colour" -geometry "$geometry" . &
  wait_window "$name"
  id=$(xdotool search --onlyvisible --name "^$name\$" | head -n 1)
  xdotool windowunmap --sync "$id"
  xprop -id "$id" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE "$type"
  xprop -id "$id" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_ABOVE
  xdotool windowmap --sync "$id"
}
window_above mepupanel red "${width}x40+0+0" _NET_WM_WINDOW_TYPE_DOCK
window_above mepuabove blue 300x200+600+600 _NET_WM_WINDOW_TYPE_NORMAL
xev -name mepukeys -geometry 300x200+100+400 > "$work/keys.log" &
wait_window mepukeys
keys_window=$(xdotool search --onlyvisible --name '^mepukeys$' | head -n 1)
import -window root "$work/desktop.png"
[ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/desktop.png" "$MEPU_SHOT_DIR/openbox_desktop.png"
[ "$(pixel_level "$work/desktop.png" 10 10)" != 0 ] || { echo "the panel is not on the screen"; exit 1; }

xdotool mousemove 200 200
"$saver" -s & pid=$!
wait_window WindowsScreenSaverClass
saver_window=$(xdotool search --onlyvisible --name '^WindowsScreenSaverClass$' | head -n 1)
for _ in $(seq 100); do
  xprop -id "$saver_window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN && break
  sleep 0.1
done
xprop -id "$saver_window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  { echo "no full-screen state: $(xprop -id "$saver_window" _NET_WM_STATE)"; exit 1; }
# The panel's place (top) and the other window's (bottom right) show the animation.
expect_frames_change "$work" "$width" "$height"
[ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/shot1.png" "$MEPU_SHOT_DIR/openbox_full_screen.png"
[ "$(pixel_level "$work/shot1.png" 700 700)" = 255 ] ||
  { echo "the window above shows through"; exit 1; }

# System keys are not input to the saver.
xdotool key alt F10
sleep 0.5
kill -0 "$pid" || { echo "a system key ended the saver"; exit 1; }
# The focus moves to the window behind, yet the next key goes to the saver and ends it.
xdotool windowfocus "$keys_window"
sleep 0.3
xdotool key x
expect_exit_within "$pid" 100 || { echo "the key went past the saver"; exit 1; }
sleep 0.3
if grep -q 'KeyPress' "$work/keys.log"; then
  echo "a key reached the window behind the saver"
  exit 1
fi
echo "full screen under a window manager: ok"

# With a password, a close request opens the prompt; cancelled, the saver plays on.
printf '[Control Panel\\desktop]\nScreenSaveUsePassword=1\nScreenSavePasswordString=neko\n' \
  >> "$XDG_CONFIG_HOME/mepu/registry.ini"
"$saver" -s & pid=$!
wait_window WindowsScreenSaverClass
sleep 1
saver_window=$(xdotool search --onlyvisible --name '^WindowsScreenSaverClass$' | head -n 1)
xdotool key alt+F4
wait_window 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
kill -0 "$pid" || { echo "Alt+F4 ended the saver"; exit 1; }
xdotool key Escape
wait_window_gone 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
python3 "$here/send_close_request.py" "$saver_window"
wait_window 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
sleep 0.3
kill -0 "$pid" || { echo "the window manager's close ended the saver"; exit 1; }
# While the prompt is open the keys still stay with the saver: none reaches the window behind.
: > "$work/keys.log"
xdotool windowfocus "$keys_window"
sleep 0.3
xdotool key q
sleep 0.3
if grep -q 'KeyPress' "$work/keys.log"; then
  echo "a key reached the window behind the password prompt"
  exit 1
fi
prompt=$(xdotool search --onlyvisible --name '^ｽｸﾘｰﾝｾｰﾊﾞｰ$' | head -n 1)
xdotool windowactivate --sync "$prompt" 2>/dev/null || xdotool windowfocus --sync "$prompt"
xdotool key ctrl+a BackSpace
xdotool type --delay 50 neko
xdotool key Return
expect_exit_within "$pid" 100
echo "close request and password: ok"
