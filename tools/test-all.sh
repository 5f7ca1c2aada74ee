#!/usr/bin/env bash
# Installs what is missing, builds everything (Linux and Windows) and runs every test: the Linux
# build, the same under AddressSanitizer + LeakSanitizer + UndefinedBehaviorSanitizer, the threads
# of the portable hosts under ThreadSanitizer, the fuzz targets for a bounded time, and the
# Windows build under Wine. The tests get a temporary folder of their own (TMPDIR), which must be
# empty again after each stage.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh

jobs=$(nproc)
# The build folders (and other checkouts of the tree) share compiler-cache entries: paths are
# hashed relative to the tree, not as they stand.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
# Tests that need a display start a private one; the desktop this may run on is never theirs.
unset DISPLAY
export QT_QPA_PLATFORM=offscreen
export QTEST_FUNCTION_TIMEOUT=120000
# The Wine prefix is kept between runs (it takes seconds to make), so it stays outside the tests'
# own temporary folder.
export MEPU_WINEPREFIX="${MEPU_WINEPREFIX:-${TMPDIR:-/tmp}/mepu-wineprefix}"
# A desktop session has a runtime folder (Qt and the saver's lock use it); the tests get one of
# their own beside their temporary folder.
XDG_RUNTIME_DIR=$(mktemp -d)
TMPDIR=$(mktemp -d)
# Open to every user, as the system's temporary folder is: some tests check permissions as an
# ordinary user, and the screen-saver daemon's test runs as one.
chmod 1777 "$TMPDIR"
export TMPDIR XDG_RUNTIME_DIR

step() { printf '\n==== %s (%s s so far)\n' "$*" "$SECONDS"; }
# Fails when a test left something in the temporary folder.
check_temporary_folder() {
  local left
  left=$(find "$TMPDIR" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort)
  if [ -n "$left" ]; then
    echo "the tests left these in the temporary folder $TMPDIR:" >&2
    echo "$left" >&2
    exit 1
  fi
}
# Wine keeps its server's socket in a folder of its own under TMPDIR: gone with the server.
stop_wine() {
  command -v wineserver >/dev/null && [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "${TMPDIR:?}"/wine-*
}
trap 'stop_wine; rm -rf "$TMPDIR" "$XDG_RUNTIME_DIR"' EXIT

step "Source format (clang-format)"
bash tools/check-format.sh

step "Linux build (warnings as errors)"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"
check_temporary_folder

step "Linux build under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
check_temporary_folder

step "Portable hosts, error guard and saver core under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
check_temporary_folder

step "Fuzz targets (bounded runs)"
cmake --preset fuzz >/dev/null
fuzz_targets=$(cmake --build --preset fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[A-Za-z0-9_]*\).*/\1/p')
# shellcheck disable=SC2086  # one word per target
cmake --build --preset fuzz -j "$jobs" --target $fuzz_targets
MEPU_FUZZ_JOBS="$jobs" bash tools/run-fuzzers.sh build-fuzz
check_temporary_folder

step "Windows build under Wine"
. tools/wine-env.sh
mepu_wine_prefix_ready
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# Programs under Wine use the prefix's own temporary folder; it too must end as it began.
wine_temp="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
wine_temp_before=$(ls -A "$wine_temp" 2>/dev/null || true)
bash tools/with-xvfb.sh ctest --preset windows -j 1
stop_wine
check_temporary_folder
if [ "$(ls -A "$wine_temp" 2>/dev/null || true)" != "$wine_temp_before" ]; then
  echo "the Windows tests changed Wine's temporary folder $wine_temp:" >&2
  ls -A "$wine_temp" >&2
  exit 1
fi
step "all passed"
