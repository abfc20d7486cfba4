#!/usr/bin/env bash
# Compares our JPEG decode + encode of a 4000 x 3000 photo with libjpeg-turbo's own tools at
# the same settings (accurate integer DCT both ways, quality 80 with baseline tables):
#   ours: quillstone_codec_floor recode in.jpg out.jpg 80
#   bare: djpeg -dct int in.jpg | cjpeg -quality 80 -baseline -dct int > out.jpg
# and prints the best of several runs of each and their ratio. Both write the same file.
#   bench/codec-floor.sh [BUILD_DIR]   (default build-bench; RUNS=n sets the number of runs)
set -euo pipefail

build=${1:-build-bench}
runs=${RUNS:-7}
tool="$build/bench/quillstone_codec_floor"
for t in "$tool" djpeg cjpeg; do
  command -v "$t" >/dev/null || { echo "codec-floor: $t not found (build with -DQUILLSTONE_BENCH=ON; scripts/install-deps)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" make "$work/in.jpg"

# Best wall time in milliseconds of `runs` runs of the given shell command.
best_ms() {
  local best=""
  for _ in $(seq "$runs"); do
    local start end ms
    start=$(date +%s%N)
    bash -c "$1"
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    if [[ -z "$best" || $ms -lt $best ]]; then best=$ms; fi
  done
  echo "$best"
}

ours=$(best_ms "'$tool' recode '$work/in.jpg' '$work/ours.jpg' 80")
bare=$(best_ms "djpeg -dct int '$work/in.jpg' | cjpeg -quality 80 -baseline -dct int > '$work/bare.jpg'")

if cmp -s "$work/ours.jpg" "$work/bare.jpg"; then same="identical"; else same="DIFFERENT"; fi
echo "decode + encode of a 4000x3000 JPEG at quality 80 (best of $runs runs)"
echo "  ours (quillstone_codec_floor): ${ours} ms"
echo "  bare (djpeg | cjpeg):          ${bare} ms"
awk -v o="$ours" -v b="$bare" 'BEGIN { printf "  ratio ours / bare:            %.2f\n", o / b }'
echo "  output files: $same"
