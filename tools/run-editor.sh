#!/usr/bin/env bash
# Installs what the editor needs, builds it and starts it on the desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh --editor-only
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target mepu
exec ./build/bin/mepu "$@"
