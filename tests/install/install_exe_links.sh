#!/usr/bin/env bash
# The shortcuts install.exe makes, read by a real shortcut parser of the build machine: the
# target path of each must be the installed program.
# usage: install_exe_links.sh INSTALL_WINE_TEST_EXE
set -euo pipefail
driver=$1
here="$(cd "$(dirname "$0")" && pwd)"
if ! command -v lnkinfo >/dev/null; then
  echo "lnkinfo missing: tools/setup-debian.sh installs liblnk-utils" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
MEPU_INSTALL_LINKS_OUT="Z:${work//\//\\}" "$here/../../tools/wine-run.sh" "$driver" \
  --gtest_filter=InstallExe.InstallsCopiesConfigurationAndShortcutsThroughItsDialog
[ -s "$work/targets.txt" ] || { echo "the installer test left no shortcuts" >&2; exit 1; }
status=0
while IFS=$'\t' read -r link expected; do
  info=$(lnkinfo -c windows-932 "$work/$link")
  target=$(sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p' <<<"$info" | tr -d '\r')
  if [ "$target" = "$expected" ]; then
    echo "$link: $target"
  else
    echo "$link: target '$target', expected '$expected'" >&2
    echo "$info" >&2
    status=1
  fi
done < <(tr -d '\r' < "$work/targets.txt")
exit $status
