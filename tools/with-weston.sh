#!/usr/bin/env bash
# Runs a command as a client of a Wayland compositor of its own: weston's headless backend, which
# needs no display and has no input seat. The command gets WAYLAND_DISPLAY, a private
# XDG_RUNTIME_DIR, QT_QPA_PLATFORM=wayland, MEPU_PRIVATE_WESTON=1 and no DISPLAY. weston runs
# with --debug, so that weston-screenshooter may take screenshots (1024 x 768).
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=mepu-weston-$$
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --socket="$socket" \
  --no-config --idle-time=0 --width=1024 --height=768 --debug --log="$runtime/weston.log" &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null || true; wait $weston_pid 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "weston did not start" >&2; cat "$runtime/weston.log" >&2; exit 1; }
unset DISPLAY
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland MEPU_PRIVATE_WESTON=1
"$@"
