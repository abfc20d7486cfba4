#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench_images.h"
#include "imagefiles/rotate_by_angle.h"
#include "imagefiles/size_preset.h"
#include "imagefiles/smooth_resize.h"
#include "imagefiles/stretch_resize.h"

namespace quillstone {
namespace {

const RasterImage& Photo() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

void SetSourceBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Photo().ByteCount()));
}

// The "50%" preset's resampler on a 4000 x 3000 photo, into a buffer kept between runs.
void BM_SmoothResizeHalf(benchmark::State& state) {
  RasterImage target;
  for (auto _ : state) {
    SmoothResize(Photo(), target, Photo().Width() / 2, Photo().Height() / 2);
    benchmark::DoNotOptimize(target.Bits());
  }
  SetSourceBytes(state);
}
BENCHMARK(BM_SmoothResizeHalf)->Unit(benchmark::kMillisecond);

// "50%" with smooth resize and sharpening, as a load applies it.
void BM_ApplySizePresetHalfSharpened(benchmark::State& state) {
  ResizeSettings settings;
  settings.preset = SizePreset::kPercent50;
  RasterImage image;
  RasterImage scratch;
  for (auto _ : state) {
    state.PauseTiming();
    image = Photo();
    state.ResumeTiming();
    ApplySizePreset(image, settings, scratch);
    benchmark::DoNotOptimize(image.Bits());
  }
  SetSourceBytes(state);
}
BENCHMARK(BM_ApplySizePresetHalfSharpened)->Unit(benchmark::kMillisecond);

void BM_StretchResizeHalf(benchmark::State& state) {
  RasterImage target;
  for (auto _ : state) {
    StretchResize(Photo(), target, Photo().Width() / 2, Photo().Height() / 2);
    benchmark::DoNotOptimize(target.Bits());
  }
  SetSourceBytes(state);
}
BENCHMARK(BM_StretchResizeHalf)->Unit(benchmark::kMillisecond);

// A quarter turn, as the orientation choice applies it to every loaded image.
void BM_RotateQuarterTurn(benchmark::State& state) {
  RasterImage target;
  for (auto _ : state) {
    RotateQuarterTurns(Photo(), target, 3);
    benchmark::DoNotOptimize(target.Bits());
  }
  SetSourceBytes(state);
}
BENCHMARK(BM_RotateQuarterTurn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
