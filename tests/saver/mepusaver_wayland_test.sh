#!/usr/bin/env bash
# The Linux saver as a Wayland client of a headless weston (no input seat): with no animation
# chosen the settings open and stay (no crash in Qt's text input); the modes that draw into
# another program's window refuse with the Wayland reason; full screen plays; with a password set
# it says the session cannot be locked instead of playing as if it protected the screen.
# Usage: mepusaver_wayland_test.sh MEPUSAVER (run under tools/with-weston.sh)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/mepu"

# Takes a screenshot of the whole compositor into $1.
screenshot() {
  rm -f "$work"/wayland-screenshot-*.png
  (cd "$work" && weston-screenshooter >/dev/null 2>&1)
  mv "$work"/wayland-screenshot-*.png "$1"
}

# Keeps screenshot $1 for a person to look at, in $MEPU_SHOT_DIR when that is set.
keep_shot() {
  [ -n "${MEPU_SHOT_DIR:-}" ] && cp "$1" "$MEPU_SHOT_DIR/" || true
}

# Fails unless process $1 is still running after $2 seconds.
expect_running_after() {
  sleep "$2"
  kill -0 "$1" 2>/dev/null || { wait "$1" || echo "ended with status $?"; echo "$3"; exit 1; }
}

"$saver" -s & pid=$!
expect_running_after "$pid" 4 "the settings with no animation chosen did not stay open"
screenshot "$work/wayland_settings.png"
keep_shot "$work/wayland_settings.png"
kill "$pid"; wait "$pid" || true
echo "settings without an animation: ok"

python3 "$here/make_sample_mpa.py" "$work/walk.mpa" 4
printf '[Software\\tarvolo\\MepuScreenSaver]\nloadfile=%s\n' "$work/walk.mpa" \
  > "$XDG_CONFIG_HOME/mepu/registry.ini"
for args in "-p 1234" "-window-id 0x400001" "-root"; do
  status=0
  # shellcheck disable=SC2086
  timeout 20 "$saver" $args 2> "$work/refused.err" || status=$?
  [ "$status" = 1 ] && grep -q 'Wayland' "$work/refused.err" ||
    { echo "$args was not refused with the Wayland reason (status $status)"; cat "$work/refused.err"; exit 1; }
done
echo "hosted modes refused: ok"

# Full screen: the sample frame fills the output (top black, bottom left black, bottom right
# white), and the frames change.
"$saver" -s & pid=$!
first=""
for n in $(seq 20); do
  sleep 0.5
  screenshot "$work/full$n.png"
  level() { convert "$work/full$n.png" -colorspace Gray -format "%[fx:int(255*p{$1,$2})]" info:; }
  [ "$(level 1014 10)" = 0 ] && [ "$(level 10 758)" = 0 ] && [ "$(level 1014 758)" = 255 ] || continue
  if [ -z "$first" ]; then first=$work/full$n.png; continue; fi
  [ "$(compare -metric AE "$first" "$work/full$n.png" null: 2>&1 || true)" != 0 ] && break
  first=""
done
[ -n "$first" ] || { echo "full screen did not play the animation"; exit 1; }
kill -0 "$pid" || { echo "the full-screen saver ended"; exit 1; }
cp "$work/full$n.png" "$work/wayland_full_screen.png"
keep_shot "$work/wayland_full_screen.png"
kill "$pid"; wait "$pid" || true
echo "full screen: ok"

# With a password set: a box says why there is no lock, and nothing plays behind it yet.
printf '[Control Panel\\desktop]\nScreenSaveUsePassword=1\nScreenSavePasswordString=neko\n' \
  >> "$XDG_CONFIG_HOME/mepu/registry.ini"
"$saver" -s & pid=$!
expect_running_after "$pid" 4 "the saver with a password set ended"
screenshot "$work/wayland_no_lock.png"
keep_shot "$work/wayland_no_lock.png"
[ "$(convert "$work/wayland_no_lock.png" -colorspace Gray -format "%[fx:int(255*p{1014,10})]" info:)" != 0 ] ||
  { echo "the animation plays before the box about the lock was answered"; exit 1; }
kill "$pid"; wait "$pid" || true
echo "password on Wayland: ok"
