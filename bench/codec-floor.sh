#!/usr/bin/env bash
# Compares our JPEG decode + encode of a 4000 x 3000 photo with libjpeg-turbo's own tools at
# the same settings (accurate integer DCT both ways, quality 80 with baseline tables):
#   ours: quillstone_codec_floor recode in.jpg out.jpg 80
#   bare: djpeg -dct int in.jpg | cjpeg -quality 80 -baseline -dct int > out.jpg
# Both write the same file. Times are the best of several runs, as wall time and as processor
# time (user + system of every process; the bare pipeline runs its two halves on two cores at
# once, so its wall time hides half its work). "ours, buffer reused" decodes and encodes
# ten times in one process, keeping the image buffer as a batch run keeps it between images;
# a fresh process also pays for the first touch of the 36 MB image.
#   bench/codec-floor.sh [BUILD_DIR]   (default build; RUNS=n sets the number of runs)
set -euo pipefail

build=${1:-build}
runs=${RUNS:-5}
rounds=10
tool="$build/bench/quillstone_codec_floor"
for t in "$tool" djpeg cjpeg; do
  command -v "$t" >/dev/null || {
    echo "codec-floor: $t not found (build with -DQUILLSTONE_BENCH=ON; scripts/install-deps)" >&2
    exit 1
  }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" make "$work/in.jpg"

# "wall cpu" in milliseconds, the run with the least processor time of `runs`, divided by
# the number of images the command handles.
best() {
  local command=$1 per=$2 best_wall="" best_cpu=""
  for _ in $(seq "$runs"); do
    local TIMEFORMAT='%R %U %S' times wall cpu
    times=$({ time bash -c "$command" >/dev/null 2>&1; } 2>&1)
    read -r wall cpu < <(awk -v per="$per" '{ printf "%d %d\n", $1 * 1000 / per, ($2 + $3) * 1000 / per }' <<<"$times")
    if [[ -z "$best_cpu" || $cpu -lt $best_cpu ]]; then best_cpu=$cpu; best_wall=$wall; fi
  done
  echo "$best_wall $best_cpu"
}

read -r fresh_wall fresh_cpu < <(best "'$tool' recode '$work/in.jpg' '$work/ours.jpg' 80" 1)
read -r reused_wall reused_cpu < <(best "'$tool' recode '$work/in.jpg' '$work/ours.jpg' 80 $rounds" "$rounds")
read -r bare_wall bare_cpu < <(best "djpeg -dct int '$work/in.jpg' | cjpeg -quality 80 -baseline -dct int > '$work/bare.jpg'" 1)

if cmp -s "$work/ours.jpg" "$work/bare.jpg"; then same="identical"; else same="DIFFERENT"; fi
echo "decode + encode of a 4000x3000 JPEG at quality 80, per image (best of $runs runs)"
printf "  %-32s %8s %8s\n" "" "wall ms" "cpu ms"
printf "  %-32s %8d %8d\n" "ours, fresh process" "$fresh_wall" "$fresh_cpu"
printf "  %-32s %8d %8d\n" "ours, buffer reused ($rounds images)" "$reused_wall" "$reused_cpu"
printf "  %-32s %8d %8d\n" "bare djpeg | cjpeg" "$bare_wall" "$bare_cpu"
awk -v f="$fresh_cpu" -v r="$reused_cpu" -v b="$bare_cpu" \
  'BEGIN { printf "  cpu ratio ours / bare: %.2f fresh, %.2f buffer reused\n", f / b, r / b }'
echo "  output files: $same"
