#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it (.clang-format at the top).
# With --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run --Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format "${mode[@]}"
