#!/usr/bin/env bash
# Runs every libFuzzer target found in the given build folder for a bounded time each.
set -euo pipefail
build="${1:-build-fuzz}"
seconds="${MEPU_FUZZ_SECONDS:-20}"
found=0
while IFS= read -r target; do
  found=1
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/"
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$work" 2>"$work.log" \
    || { tail -50 "$work.log"; exit 1; }
  rm -rf "$work" "$work.log"
done < <(find "$build/fuzz" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
[ "$found" = 1 ] || echo "no fuzz targets built"
