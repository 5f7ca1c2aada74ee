#!/usr/bin/env bash
# The same pen drawing made on the scripted host (Linux mepu-script) and on the Win32 host
# (mepu.exe driven under Wine) must be saved as byte-identical files.
# usage: same_file_as_script_host.sh MEPU_SCRIPT LINUX_PROGRAM_FOLDER WINE_HOST_TEST_EXE
set -euo pipefail
mepu_script=$1 linux_bin=$2 driver=$3
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -x "$mepu_script" ]; then
  echo "no Linux mepu-script at $mepu_script: build the Linux preset first" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/system"
printf '%s/' "$linux_bin" > "$work/system/mepusys.ini"
sed "s|@OUT@|$work/script.mpa|" "$here/pen_drawing.script" > "$work/pen.script"
"$mepu_script" --system-dir "$work/system" "$work/pen.script"

MEPU_DRAWING_OUT="Z:${work//\//\\}\\wine.mpa" "$here/../../tools/wine-run.sh" "$driver" \
  --gtest_filter=EditorSession.PenDrawingIsSavedThroughTheSaveDialog
cmp "$work/script.mpa" "$work/wine.mpa"
echo "identical: $(stat -c %s "$work/wine.mpa") bytes"
