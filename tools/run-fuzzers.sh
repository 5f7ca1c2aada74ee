#!/usr/bin/env bash
# Runs the libFuzzer targets built in a build folder, each for MEPU_FUZZ_SECONDS (default 20) on a
# copy of its seed corpus fuzz/corpus/NAME (NAME without "fuzz_"), MEPU_FUZZ_JOBS of them at a
# time (default 1):
#   tools/run-fuzzers.sh [BUILD_FOLDER [TARGET...]]
# With target names only those run. An input that fails is kept as BUILD_FOLDER/fuzz-findings/
# TARGET-*, ready to be added to the corpus as a regression case, and the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-fuzz}"
shift || true
seconds="${MEPU_FUZZ_SECONDS:-20}"
jobs="${MEPU_FUZZ_JOBS:-1}"
findings="$PWD/$build/fuzz-findings"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT

mapfile -t targets < <(find "$build/fuzz" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ $# -gt 0 ]; then
  wanted=" $* "
  for i in "${!targets[@]}"; do
    [[ "$wanted" == *" $(basename "${targets[$i]}") "* ]] || unset 'targets[i]'
  done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets built in $build" >&2; exit 1; }
mkdir -p "$findings"

# One target: a line with its executions and time, or its log's end when it found something.
fuzz_one() {
  local target=$1 name corpus start runs
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  [ -d "$corpus" ] || { echo "$name has no seed corpus $corpus" >&2; touch "$work/failed"; return 1; }
  mkdir "$work/$name"
  cp -r "$corpus/." "$work/$name/corpus"
  start=$(date +%s)
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$work/$name/corpus" >"$work/$name/log" 2>&1; then
    tail -60 "$work/$name/log"
    echo "$name failed; the input is in $findings" >&2
    touch "$work/failed"
    return 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name/log")
  echo "$name: ${runs:-?} runs in $(( $(date +%s) - start )) s, nothing found"
  rm -rf "${work:?}/$name"
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$target" &
done
wait
[ ! -e "$work/failed" ]
