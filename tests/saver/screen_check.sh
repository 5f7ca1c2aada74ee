# Screen checks shared by the saver's screen tests (sourced).

# A fresh folder $work holding the saver's settings, in a configuration and runtime folder of the
# test's own: a sample animation of $1 frames chosen as the one to play. Sets $width and $height
# to the screen's size.
prepare_saver_settings() {
  work=$(mktemp -d)
  export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
  mkdir -p "$XDG_CONFIG_HOME/mepu" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  python3 "$here/make_sample_mpa.py" "$work/walk.mpa" "$1"
  printf '[Software\\tarvolo\\MepuScreenSaver]\nloadfile=%s\n' "$work/walk.mpa" \
    > "$XDG_CONFIG_HOME/mepu/registry.ini"
  read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
}

# The grey level (0-255) of pixel X,Y of a screenshot.
pixel_level() {
  convert "$1" -colorspace Gray -format "%[fx:int(255*p{$2,$3})]" info:
}

# Fails unless the shot shows a sample frame full screen and upright: the top black, the bottom
# left block black, the bottom right white.
expect_sample_frame() {
  local shot=$1 width=$2 height=$3
  local top bottom_left bottom_right
  top=$(pixel_level "$shot" $((width - 10)) 10)
  bottom_left=$(pixel_level "$shot" 10 $((height - 10)))
  bottom_right=$(pixel_level "$shot" $((width - 10)) $((height - 10)))
  if [ "$top" != 0 ] || [ "$bottom_left" != 0 ] || [ "$bottom_right" != 255 ]; then
    echo "not a sample frame in $shot: top $top, bottom left $bottom_left, bottom right $bottom_right"
    return 1
  fi
}

# Waits up to $2 tenths of a second for process $1 to end; fails if it does not.
expect_exit_within() {
  local pid=$1 tenths=$2
  for _ in $(seq "$tenths"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "process $pid did not end"
  kill "$pid" 2>/dev/null
  return 1
}

# Takes screenshots $1/shotN.png 0.3 s apart until two show different sample frames (each checked
# with expect_sample_frame). Before the first frame the picture may still be white; a slow start
# is given up to six seconds.
expect_frames_change() {
  local dir=$1 width=$2 height=$3 n first=""
  for n in $(seq 20); do
    import -window root "$dir/shot$n.png"
    if [ -z "$first" ]; then
      [ "$(convert "$dir/shot$n.png" -format '%[fx:minima]' info:)" = 1 ] && { sleep 0.3; continue; }
      expect_sample_frame "$dir/shot$n.png" "$width" "$height" || return 1
      first=$dir/shot$n.png
    else
      expect_sample_frame "$dir/shot$n.png" "$width" "$height" || return 1
      [ "$(compare -metric AE "$first" "$dir/shot$n.png" null: 2>&1 || true)" != 0 ] && return 0
    fi
    sleep 0.3
  done
  echo "the frames did not change"
  return 1
}

# Waits until a window with the title $1 is mapped.
wait_window() {
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "no window '$1'"
  return 1
}

# Waits until no window with the title $1 is mapped.
wait_window_gone() {
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "window '$1' stays"
  return 1
}

# Waits up to a minute until the window titled $1 holds the keyboard focus, so that keys typed
# next reach it (a busy machine may give it back late after a message box closes).
wait_window_focused() {
  for _ in $(seq 600); do
    [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  echo "window '$1' does not get the focus"
  return 1
}

# The password prompt of saver $1, open now: the other case is refused with a message and the
# saver plays on, the exact text ends it. The prompt's screenshot goes to $MEPU_SHOT_DIR/$2.
answer_password_prompt() {
  local pid=$1 shot=$2
  wait_window_focused 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
  import -window root "$work/prompt.png"
  [ -n "${MEPU_SHOT_DIR:-}" ] && cp "$work/prompt.png" "$MEPU_SHOT_DIR/$shot"
  xdotool type --delay 50 NEKO
  xdotool key Return
  wait_window 'ｴﾗｰ'
  kill -0 "$pid" || { echo "a wrong password ended the saver"; return 1; }
  xdotool key Return
  wait_window_gone 'ｴﾗｰ'
  # Typing goes to the prompt only once it holds the focus again after the message box.
  wait_window_focused 'ｽｸﾘｰﾝｾｰﾊﾞｰ'
  xdotool key BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 50 neko
  xdotool key Return
  expect_exit_within "$pid" 200
  wait "$pid"
}

# The change-password dialog of saver $1, opening now: a mismatch is refused with a message and
# keeps both entries, then "abc" twice is accepted and the saver ends.
change_password_to_abc() {
  local pid=$1
  wait_window_focused 'ﾊﾟｽﾜｰﾄﾞの変更'
  xdotool type --delay 50 abc
  xdotool key Tab
  xdotool type --delay 50 abd
  xdotool key Return
  wait_window 'ｴﾗｰ'
  xdotool key Return
  wait_window_gone 'ｴﾗｰ'
  wait_window_focused 'ﾊﾟｽﾜｰﾄﾞの変更'
  xdotool key BackSpace
  xdotool type --delay 50 c
  xdotool key Return
  expect_exit_within "$pid" 200
}
