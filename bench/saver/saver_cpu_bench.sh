#!/usr/bin/env bash
# Processor share of the Linux saver playing a 12 frames-per-second animation full screen: the
# saver's own user and system time over a run, as a percentage of one core, and beside it the
# X server's (which does the drawing of every frame).
# Usage: bench/saver/saver_cpu_bench.sh MEPUSAVER [SECONDS]   (starts its own Xvfb when needed)
# Run it for the build to measure and for the baseline build, on the same machine, one after the
# other.
set -euo pipefail
if [ -z "${MEPU_BENCH_DISPLAY_READY:-}" ]; then
  here=$(cd "$(dirname "$0")" && pwd)
  MEPU_BENCH_DISPLAY_READY=1 exec "$here/../../tools/with-xvfb.sh" "$0" "$@"
fi
saver=$1
seconds=${2:-10}
tests=$(cd "$(dirname "$0")/../../tests/saver" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/mepu" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
python3 "$tests/make_sample_mpa.py" "$work/walk.mpa" 12
printf '[Software\\tarvolo\\MepuScreenSaver]\nloadfile=%s\n' "$work/walk.mpa" \
  > "$XDG_CONFIG_HOME/mepu/registry.ini"

. "$(dirname "$0")/../cpu_share.sh"
server=${MEPU_XVFB_PID:-}

"$saver" -s & pid=$!
sleep 2  # start-up is not playback
# shellcheck disable=SC2086  # no server pid, no second share
read -r saver_share server_share <<<"$(cpu_shares "$seconds" "$pid" $server)"
kill "$pid"
echo "mepusaver -s at 12 fps over $seconds s: saver $saver_share % of a core," \
  "X server ${server_share:-unknown} %"
