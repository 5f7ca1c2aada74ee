#!/usr/bin/env bash
# Installs what is missing, builds everything (Linux and Windows) and runs every test:
# the Linux build, the same under AddressSanitizer + UndefinedBehaviorSanitizer, the fuzz targets
# for a bounded time, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export QTEST_FUNCTION_TIMEOUT=120000

step() { printf '\n==== %s\n' "$*"; }

step "Linux build (warnings as errors)"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

step "Linux build under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 ctest --preset sanitize -j "$jobs"

step "Fuzz targets (bounded runs)"
cmake --preset fuzz >/dev/null
fuzz_targets=$(cmake --build --preset fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[A-Za-z0-9_]*\).*/\1/p')
if [ -n "$fuzz_targets" ]; then
  # shellcheck disable=SC2086  # one word per target
  cmake --build --preset fuzz -j "$jobs" --target $fuzz_targets
fi
bash tools/run-fuzzers.sh build-fuzz

step "Windows build under Wine"
. tools/wine-env.sh
mepu_wine_prefix_ready
# The persistent wine server and Wine's services must not outlive the run.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
bash tools/with-xvfb.sh ctest --preset windows -j 1
