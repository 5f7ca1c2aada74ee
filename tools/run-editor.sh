#!/usr/bin/env bash
# Installs what the editor needs, builds it and starts it on the desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh --editor-only
# The tests need more than the editor does (giflib, the Windows tools); this build leaves them out.
cmake --preset default -DMEPU_TESTS=OFF >/dev/null
cmake --build --preset default -j "$(nproc)" --target mepu
exec ./build/bin/mepu "$@"
