#!/usr/bin/env bash
# Runs a Windows test program under Wine in a prefix of its own whose screen has the given DPI,
# as a scaled monitor has (192 is 200 %); the prefix goes with the run.
# Usage: at_dpi.sh DPI PROGRAM [ARGUMENTS...] (on a display, under tools/with-xvfb.sh)
set -euo pipefail
dpi=$1
shift
prefix=$(mktemp -d)
export MEPU_WINEPREFIX=$prefix/prefix
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../tools/wine-env.sh"
cleanup() { wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; rm -rf "$prefix"; }
trap cleanup EXIT
mepu_wine_prefix_ready
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# The running server's programs keep the old DPI: start afresh.
wineserver -k >/dev/null 2>&1 || true
wineserver -w
mepu_wine_prefix_ready
wine "$@"
