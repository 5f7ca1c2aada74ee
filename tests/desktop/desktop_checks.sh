#!/usr/bin/env bash
# What a desktop finds of an installed mepu under PREFIX: the entries and metadata its validators
# accept, the file type gio gives an animation and an MPEG audio file that share the extension,
# the application that opens the type, the icon, and the thumbnail of the first drawn frame.
# The caller has put PREFIX/share in XDG_DATA_DIRS and updated its MIME database.
# Usage: desktop_checks.sh PREFIX WORK_FOLDER
set -euo pipefail
prefix=$1
work=$2
share=$prefix/share
type=application/x-mepu-animation
fail() { echo "FAIL: $*" >&2; exit 1; }

for entry in "$share"/applications/org.mepu.Mepu*.desktop; do
  out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $entry: $out"
  [ -z "$out" ] || fail "desktop-file-validate $entry: $out"
done
[ "$(ls "$share"/applications/org.mepu.Mepu*.desktop | wc -l)" = 3 ] || fail "not three entries"
appstreamcli validate --no-net "$share/metainfo/org.mepu.Mepu.metainfo.xml" ||
  fail "appstreamcli rejects the metadata"
echo "validators: ok"

content_type() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
cp "$share/mepu/sample.mpa" "$work/anime.mpa"
cp "$share/mepu/sample.mpa" "$work/no-extension"
# An MPEG audio file of half a second of silence, named as MPEG audio files are.
head -c 44100 /dev/zero | lame --silent -r -s 44.1 --bitwidth 16 -m m - "$work/song.mpa" 2>/dev/null
# A file named like an animation without its header.
printf 'not an animation at all\n' > "$work/text.mpa"
while read -r file want; do
  got=$(content_type "$work/$file")
  [ "$got" = "$want" ] || fail "$file is $got, not $want"
done <<EOT
anime.mpa $type
no-extension $type
song.mpa audio/mpeg
EOT
[ "$(content_type "$work/text.mpa")" != "$type" ] || fail "the name alone gave our type"
echo "file types: ok"

# Read whole: grep -q would stop reading early and fail gio on a closed pipe.
openers=$(gio mime "$type")
[[ $openers == *org.mepu.Mepu.desktop* ]] || fail "no application opens $type: $openers"
icons=$(gio info -a standard::icon "$work/anime.mpa")
[[ $icons == *org.mepu.Mepu* ]] || fail "the type has no icon: $icons"
for size in 48 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/org.mepu.Mepu.png
  [ "$(identify -format '%wx%h' "$png")" = "${size}x$size" ] || fail "$png is not $size pixels"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/org.mepu.Mepu.svg" || fail "no scalable icon"
echo "opener and icon: ok"

# The thumbnail as a file manager makes it, from the thumbnailer's own command line.
exec_line=$(sed -n 's/^Exec=//p' "$share/thumbnailers/mepu.thumbnailer")
thumbnail() {  # SIZE INPUT OUTPUT
  local command=${exec_line//%s/$1}
  command=${command//%i/$2}
  command=${command//%o/$3}
  # shellcheck disable=SC2086  # the command line's words
  PATH="$prefix/bin:$PATH" timeout 20 $command
}
thumbnail 128 "$work/anime.mpa" "$work/small.png" || fail "no thumbnail"
[ "$(identify -format '%wx%h' "$work/small.png")" = 128x96 ] || fail "the thumbnail is not 128x96"
# At the canvas size the thumbnail is exactly the converter's picture of the first frame that has
# ink.
thumbnail 320 "$work/anime.mpa" "$work/full.png" || fail "no thumbnail at 320"
mkdir "$work/frames"
"$prefix/bin/m2bmp" "$work/anime.mpa" "$work/frames/f" >/dev/null || fail "m2bmp failed"
first_drawn=""
for bmp in "$work"/frames/*.BMP; do
  if [ "$(convert "$bmp" -format '%[fx:minima.r]' info:)" = 0 ]; then first_drawn=$bmp; break; fi
done
[ -n "$first_drawn" ] || fail "the sample has no drawn frame"
[ "$(compare -metric AE "$first_drawn" "$work/full.png" null: 2>&1)" = 0 ] ||
  fail "the thumbnail is not $first_drawn"
head -c 100 "$work/anime.mpa" > "$work/cut.mpa"
for bad in cut.mpa song.mpa missing.mpa; do
  status=0
  thumbnail 128 "$work/$bad" "$work/bad.png" 2>/dev/null || status=$?
  [ "$status" = 2 ] || fail "the thumbnailer gave $status for $bad"
  [ ! -e "$work/bad.png" ] || fail "a thumbnail of $bad"
done
echo "thumbnails: ok"
