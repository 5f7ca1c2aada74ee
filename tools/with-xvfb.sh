#!/usr/bin/env bash
# Runs a command with an Xvfb display of its own. Whatever DISPLAY says is never used: it may be the
# desktop of the person running the tests. Only a display this script started for an enclosing
# command is shared with it. Xvfb picks a free display number itself and says which once it is
# ready, so runs that start at the same moment never share a display.
set -euo pipefail
# Monitors asked for need a server of their own.
if [ -z "${MEPU_XVFB_MONITORS:-}" ] && [ -n "${MEPU_XVFB_DISPLAY:-}" ] &&
   [ "${DISPLAY:-}" = "$MEPU_XVFB_DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
unset DISPLAY
number_file=$(mktemp)
# -noreset: by default the server resets each time its last client leaves, and a program that
# connects during the reset is refused (tests start one program after another).
# MEPU_XVFB_MONITORS="800x600 800x600" makes the screen that many monitors side by side, as
# RandR reports them to programs (the first keeps the server's one output).
size=1280x1024
if [ -n "${MEPU_XVFB_MONITORS:-}" ]; then
  total_width=0 height=0
  for monitor in $MEPU_XVFB_MONITORS; do
    total_width=$((total_width + ${monitor%x*}))
    [ "${monitor#*x}" -gt "$height" ] && height=${monitor#*x}
  done
  size=${total_width}x$height
fi
Xvfb -displayfd 3 -screen 0 ${size}x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$number_file"' EXIT
number=""
for _ in $(seq 100); do
  read -r number <"$number_file" || true
  [ -n "$number" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
rm -f "$number_file"
[ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
# The server's process, for benchmarks that count its processor time too.
export DISPLAY=":$number" MEPU_XVFB_DISPLAY=":$number" MEPU_XVFB_PID="$xvfb_pid"
if [ -n "${MEPU_XVFB_MONITORS:-}" ]; then
  x=0 output=screen n=0
  for monitor in $MEPU_XVFB_MONITORS; do
    # About 96 dots per inch: a millimetre is 3.78 pixels.
    w=${monitor%x*} h=${monitor#*x}
    xrandr --setmonitor "mepu-$n" "$w/$((w * 10 / 38))x$h/$((h * 10 / 38))+$x+0" "$output" >/dev/null
    x=$((x + w)) output=none n=$((n + 1))
  done
fi
"$@"
