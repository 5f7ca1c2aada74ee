#!/usr/bin/env bash
# The processor the Windows programs take while they only wait, under Wine: mepu.exe at its
# welcome screen and mepusaver.scr /s playing a 12 fps animation full screen. Each figure is the
# program's own CPU time (user + system, from /proc) over the measuring window, as a share of one
# core. Goals: the editor at most 2 %, the saver at most 5 %.
# usage: tools/with-xvfb.sh bench/wine/idle_cpu.sh WINDOWS_BIN_FOLDER [SECONDS]
set -euo pipefail
bin=$(cd "$1" && pwd) seconds=${2:-10}
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../tools/wine-env.sh"
mepu_wine_prefix_ready
work=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  wine reg delete 'HKCU\Software\tarvolo\MepuScreenSaver' /v loadfile /f >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The Linux process behind a window (Wine records it in _NET_WM_PID).
window_pid() {
  local window
  for _ in $(seq 100); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  xdotool getwindowpid "$window"
}

. "$here/../cpu_share.sh"

# Prints "NAME PERCENT" for the process behind the window titled $2, after it has settled.
measure() {
  local name=$1 pid
  pid=$(window_pid "$2")
  started+=("$pid")
  sleep 2
  echo "$name $(cpu_shares "$seconds" "$pid") % of a core"
  kill "$pid" 2>/dev/null || true
  while [ -e "/proc/$pid" ]; do sleep 0.1; done
}

printf 'Z:%s\\' "${bin//\//\\}" > "$WINEPREFIX/drive_c/windows/mepusys.ini"
wine "$bin/mepu.exe" >/dev/null 2>&1 &
measure "mepu.exe waiting at its welcome screen:" '^tarvolo Zelkon interface$'

python3 "$here/../../tests/saver/make_sample_mpa.py" "$work/walk.mpa" 12
wine reg add 'HKCU\Software\tarvolo\MepuScreenSaver' /v loadfile /d "Z:${work//\//\\}\\walk.mpa" /f \
  >/dev/null 2>&1
xdotool mousemove 300 300
wine "$bin/mepusaver.scr" /s >/dev/null 2>&1 &
measure "mepusaver.scr /s at 12 fps:" '^WindowsScreenSaverClass$'
