#!/usr/bin/env bash
# The kit zip cpack makes in the Windows build folder: it holds what install.ini lists beside
# install.exe, and unpacked under Wine it installs from its own folder and registers "Open with".
# usage: windows_kit_zip_test.sh BUILD_FOLDER INSTALL_WINE_TEST_EXE
set -euo pipefail
build=$1
driver=$2
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
zip=$(ls "$work"/package/mepu-*-windows.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
kit=$(ls -d "$work"/unpacked/*/)
kit=${kit%/}
# Everything the script lists stands beside install.exe, and the script is the Windows one.
[ -f "$kit/install.exe" ] || fail "no install.exe in the zip"
# The script is Shift-JIS: read as bytes.
for item in $(LC_ALL=C sed -n '/^#InstallFiles/,/^#/{/^#/d;s/\r$//;p}' "$kit/install.ini"); do
  [ -f "$kit/$item" ] || fail "$item is listed by install.ini but not in the zip"
done
grep -q '^mepu\.exe' "$kit/install.ini" || fail "install.ini is not the Windows one"
MEPU_KIT_FOLDER="Z:${kit//\//\\}" "$here/../../tools/wine-run.sh" "$driver" \
  --gtest_also_run_disabled_tests --gtest_filter=InstallExe.DISABLED_KitZipInstallsAndRegistersOpenWith
