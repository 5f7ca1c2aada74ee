#!/usr/bin/env bash
# Exporting a 1000-frame animation with motion in every frame as one GIF: `m2bmp --gif` beside
# ImageMagick building a GIF from the same frames as BMP files (time), and beside gifsicle -O3
# run over ImageMagick's GIF (size). Times are the median of the runs' user + system time, and
# of their wall time.
# With CONVERT_BENCH (build-ci/bench/convert/convert_bench) also the export inside one process
# beside writing the same bytes with one fwrite.
# Usage: bench/convert/gif_bench.sh M2BMP [RUNS [CONVERT_BENCH]]
set -euo pipefail
m2bmp=$(realpath "$1")
runs=${2:-5}
convert_bench=${3:+$(realpath "$3")}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
speed=12
python3 "$here/make_motion_mpa.py" motion.mpa 1000 "$speed"
mkdir bmp
"$m2bmp" motion.mpa bmp/f >/dev/null

# Prints "cpu wall" in seconds for one run of the command.
measure() {
  /usr/bin/time -f '%U %S %e' -o time.txt "$@" >/dev/null 2>&1
  awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' time.txt
}
# Median cpu and wall over the runs.
median_of() {
  for _ in $(seq "$runs"); do measure "$@"; done >samples.txt
  local cpu wall
  cpu=$(cut -d' ' -f1 samples.txt | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  wall=$(cut -d' ' -f2 samples.txt | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  echo "$cpu $wall"
}

read -r ours_cpu ours_wall < <(median_of "$m2bmp" --gif motion.mpa ours.gif)
read -r im_cpu im_wall < <(median_of convert -delay "1x$speed" -loop 0 bmp/f*.BMP magick.gif)
gifsicle -O3 magick.gif -o magick-O3.gif
ours_size=$(stat -c %s ours.gif)
im_size=$(stat -c %s magick.gif)
o3_size=$(stat -c %s magick-O3.gif)

echo "frames 1000 at $speed fps, $runs runs each"
printf 'time  m2bmp --gif %ss cpu %ss wall | ImageMagick convert %ss cpu %ss wall | faster by %s (cpu) %s (wall), goal >= 10\n' \
  "$ours_cpu" "$ours_wall" "$im_cpu" "$im_wall" \
  "$(awk -v a="$im_cpu" -v b="$ours_cpu" 'BEGIN { printf "%.1fx", a / (b > 0 ? b : 0.001) }')" \
  "$(awk -v a="$im_wall" -v b="$ours_wall" 'BEGIN { printf "%.1fx", a / (b > 0 ? b : 0.001) }')"
printf 'size  m2bmp --gif %s bytes | ImageMagick %s | gifsicle -O3 over it %s | ours / -O3 %s, goal <= 1\n' \
  "$ours_size" "$im_size" "$o3_size" "$(awk -v a="$ours_size" -v b="$o3_size" 'BEGIN { printf "%.3f", a / b }')"

# The export's own time beside one plain write of the same bytes, in one process.
if [ -n "$convert_bench" ]; then
  MEPU_GIF_BENCH_ANIMATION=$work/motion.mpa "$convert_bench" --benchmark_filter=gif \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true
fi
