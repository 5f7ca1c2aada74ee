#!/usr/bin/env bash
# install.exe runs elevated; a folder Explorer drops on its dialog reaches it only when the
# dialog lets the drop's messages through from a lower level. Wine has no such levels to drop
# across, so its call trace shows what the dialog allows.
# usage: install_exe_drop_filter.sh INSTALL_EXE
set -euo pipefail
exe=$(realpath "$1")
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# No install.ini: the dialog is made, then waits on the reading error's box.
cd "$work"
. "$here/../../tools/wine-env.sh"
mepu_wine_prefix_ready
WINEDEBUG=+relay wine "$exe" >"$work/trace" 2>&1 &
pid=$!
allowed() { grep -a -c "Call user32.ChangeWindowMessageFilterEx([0-9a-f]*,0*$1,00000001," "$work/trace" || true; }
for _ in $(seq 300); do
  [ "$(allowed 49)" -ge 4 ] && break
  sleep 0.1
done
status=0
# WM_DROPFILES, WM_COPYDATA and the message that copies a drop's data, on the dialog and its
# three controls that accept files.
for message in 233 4a 49; do
  count=$(allowed "$message")
  echo "message 0x$message allowed on $count windows"
  [ "$count" -ge 4 ] || status=1
done
exit $status
