#!/usr/bin/env bash
# Times a batch run of quillstone-cli over a folder of 12-megapixel photos against other
# programs doing the same kind of work over the same files, all in one run:
#   ours --jobs 1  quillstone-cli batch: logo at c1 (50 %), a two-line text on a box at the
#                  bottom, JPEG quality 80, --jobs 1
#   ours --jobs 2  the same with --jobs 2
#   bare codec     libjpeg-turbo alone, no marking: djpeg -dct int | cjpeg -quality 80
#                  -baseline -dct int, one file after the other (the floor of any marking)
#   ours kept      quillstone-cli batch with --keep-jpeg-blocks and the logo alone, --jobs 1:
#                  the photo's own blocks written back, those under the logo encoded again
#   ... camera     the bare codec and ours kept again on the photos as a camera writes them
#                  (4:2:0, the standard Huffman tables; the others have tables computed for
#                  each photo, which cannot code the logo's blocks, so ours kept computes its own)
#   ImageMagick    convert: the logo at 50 %, a translucent box and the two text lines,
#                  quality 80
#   libvips        vips composite2 of the half-transparent logo, Q=80 (no text: it does
#                  less than the others, so the comparison favours it)
# Prints wall time and processor time (user + system) per image, and the ratios. The photos
# are made once with ImageMagick and kept in $QUILLSTONE_BENCH_PHOTOS (default
# ${TMPDIR:-/tmp}/quillstone-bench-photos) for later runs.
#   bench/compare.sh [CLI]   (default build/bin/quillstone-cli; RUNS=n timed runs, default 3)
# Needs: scripts/install-deps --bench (imagemagick, libvips-tools, hyperfine).
set -euo pipefail

cli=${1:-build/bin/quillstone-cli}
runs=${RUNS:-3}
photos=${QUILLSTONE_BENCH_PHOTOS:-${TMPDIR:-/tmp}/quillstone-bench-photos}
count=6
width=4000
height=3000

# ImageMagick's own binary where it is installed under its versioned name.
im=$(command -v magick || command -v convert-im6.q16 || command -v convert || true)
for tool in "$cli" djpeg cjpeg vips hyperfine "$im"; do
  if [[ -z "$tool" ]] || ! command -v "$tool" >/dev/null; then
    echo "compare: ${tool:-convert} not found (make build; scripts/install-deps --bench)" >&2
    exit 1
  fi
done
cli=$(realpath "$cli")

if [[ $(find "$photos" -maxdepth 1 -name 'photo*.jpg' 2>/dev/null | wc -l) -ne $count ]]; then
  echo "compare: making $count photo-like ${width}x${height} JPEGs in $photos (once)" >&2
  mkdir -p "$photos"
  for i in $(seq 1 $count); do
    "$im" -size ${width}x${height} -seed "$i" plasma:fractal -blur 0x1 -quality 92 "$photos/photo$i.jpg"
  done
fi
if [[ $(find "$photos/camera" -name 'photo*.jpg' 2>/dev/null | wc -l) -ne $count ]]; then
  mkdir -p "$photos/camera"
  for i in $(seq 1 $count); do
    djpeg "$photos/photo$i.jpg" | cjpeg -quality 92 -dct int >"$photos/camera/photo$i.jpg"
  done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{ours1,ours2,bare,magick,vips,kept,barecam,keptcam}

# The marks: a 200 x 80 logo (its black border is the transparent colour) and two lines.
"$im" -size 200x80 xc:black -fill '#FF8028' -draw 'rectangle 10,10 189,69' -type TrueColor "BMP3:$work/logo.bmp"
"$im" "$work/logo.bmp" -transparent black -channel A -evaluate multiply 0.5 +channel "$work/logo.png"
line1="Copyright Example Photography"
line2="All rights reserved"
printf '%s\r\n%s\r\n' "$line1" "$line2" >"$work/mark.txt"

ours() {
  echo "'$cli' batch --source '$photos' --mask 'photo*.jpg' --dest '$work/ours$1' --quiet --jobs $1" \
    "--logo '$work/logo.bmp' --text '$work/mark.txt' --quality 80" \
    "--set combination=1 --set logoprozent=50 --set textvertical=2 --set fontname='DejaVu Sans'" \
    "--set fontsize=24 --set frameouterstatus=0 --set frameinnerstatus=0"
}
kept() {
  echo "'$cli' batch --source '$1' --mask 'photo*.jpg' --dest '$work/$2' --quiet --jobs 1" \
    "--logo '$work/logo.bmp' --keep-jpeg-blocks --set combination=1 --set logoprozent=50" \
    "--set frameouterstatus=0 --set frameinnerstatus=0"
}
each() { echo "for f in '${3:-$photos}'/photo*.jpg; do n=\$(basename \"\$f\"); $1; done"; }
bare() { each "djpeg -dct int \"\$f\" | cjpeg -quality 80 -baseline -dct int > '$work/$1/'\$n" "" "$2"; }
box="-fill '#00008080' -draw 'rectangle 0,$((height - 80)) 520,$height'"
text="-fill '#FFFFC6' -font DejaVu-Sans -pointsize 32 -gravity SouthWest -annotate +4+8 '$line1\n$line2'"
magick=$(each "'$im' \"\$f\" '$work/logo.png' -geometry +0+0 -composite $box $text -quality 80 '$work/magick/'\$n")
vips=$(each "vips composite2 \"\$f\" '$work/logo.png' '$work/vips/'\"\$n\"'[Q=80]' over")

names=("ours --jobs 1" "ours --jobs 2" "bare djpeg | cjpeg" "ImageMagick convert" "libvips composite2"
  "ours kept JPEG blocks" "bare codec (camera)" "ours kept (camera)")
hyperfine --style none --runs "$runs" --warmup 1 --export-csv "$work/times.csv" \
  -n "${names[0]}" "$(ours 1)" -n "${names[1]}" "$(ours 2)" -n "${names[2]}" "$(bare bare "$photos")" \
  -n "${names[3]}" "$magick" -n "${names[4]}" "$vips" -n "${names[5]}" "$(kept "$photos" kept)" \
  -n "${names[6]}" "$(bare barecam "$photos/camera")" -n "${names[7]}" "$(kept "$photos/camera" keptcam)" >/dev/null

# Every output must be there: a run that failed quietly would look fast.
for dir in ours1 ours2 bare magick vips kept barecam keptcam; do
  made=$(find "$work/$dir" -name '*.jpg' | wc -l)
  [[ $made -eq $count ]] || { echo "compare: $dir wrote $made of $count files" >&2; exit 1; }
done
if ! cmp -s <(cd "$work/ours1" && cat new_photo*.jpg) <(cd "$work/ours2" && cat new_photo*.jpg); then
  echo "compare: --jobs 2 wrote other files than --jobs 1" >&2
  exit 1
fi

echo "$count photos of ${width}x${height}, per image (mean of $runs runs; $(nproc) cores," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end)"
awk -F, -v count="$count" '
  NR > 1 {
    name[NR - 1] = $1; wall[NR - 1] = $2 * 1000 / count; cpu[NR - 1] = ($5 + $6) * 1000 / count
  }
  END {
    printf "  %-24s %9s %9s\n", "", "wall ms", "cpu ms"
    for (i = 1; i <= 8; ++i) printf "  %-24s %9.0f %9.0f\n", name[i], wall[i], cpu[i]
    printf "  ours --jobs 1 / bare codec:       %.2f wall, %.2f cpu   (aim <= 1.2)\n",
      wall[1] / wall[3], cpu[1] / cpu[3]
    printf "  throughput 2 jobs / 1 job:        %.2f              (aim >= 1.8)\n", wall[1] / wall[2]
    printf "  ImageMagick / ours --jobs 2:     %.2f wall, %.2f cpu   (aim >= 3)\n",
      wall[4] / wall[2], cpu[4] / cpu[2]
    printf "  libvips / ours --jobs 2:         %.2f wall, %.2f cpu   (aim >= 1.8)\n",
      wall[5] / wall[2], cpu[5] / cpu[2]
    printf "  ours kept / bare codec:           %.2f wall, %.2f cpu   (aim <= 0.4)\n",
      wall[6] / wall[3], cpu[6] / cpu[3]
    printf "  the same on camera photos:        %.2f wall, %.2f cpu   (aim <= 0.4)\n",
      wall[8] / wall[7], cpu[8] / cpu[7]
  }' "$work/times.csv"
for set in "kept $photos" "keptcam $photos/camera"; do
  read -r dir from <<<"$set"
  source_bytes=$(cat "$from"/photo*.jpg | wc -c)
  kept_bytes=$(cat "$work/$dir"/*.jpg | wc -c)
  awk -v kept="$kept_bytes" -v source="$source_bytes" -v dir="$dir" \
    'BEGIN { printf "  %-8s / source size:           %.4f            (aim 0.98..1.02)\n", dir, kept / source }'
done
