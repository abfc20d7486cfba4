#include <benchmark/benchmark.h>

#include "bench_images.h"
#include "pipeline/color_effect_stage.h"

namespace quillstone {
namespace {

const RasterImage& Source() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

// The colour-effect stage alone on the 4000 x 3000 image: each iteration restores the
// image by a copy (as a render does) and runs the style; subtract BM_CopyImage for the
// stage's own cost. Run with --benchmark_min_time=2 or more on a busy machine. The
// argument is the style, every style of the list; step 1 unless the name says otherwise.
void RunStyle(benchmark::State& state, int step) {
  ColorEffectSettings settings;
  settings.style = static_cast<int>(state.range(0));
  settings.step = step;
  RasterImage image;
  RasterImage scratch;
  RandomSource random(1);
  // Two untimed rounds first, so that both buffers have their full size (the filter styles
  // swap them) and the timed rounds allocate nothing, as in a window or batch run.
  for (int i = 0; i < 2; ++i) {
    image = Source();
    ApplyColorEffect(image, scratch, settings, 5, ChannelMask{}, random);
  }
  for (auto _ : state) {
    image = Source();
    ApplyColorEffect(image, scratch, settings, 5, ChannelMask{}, random);
    benchmark::DoNotOptimize(image.Bits());
  }
}

void BM_ColorEffect(benchmark::State& state) {
  RunStyle(state, 1);
}
BENCHMARK(BM_ColorEffect)
    ->ArgName("style")
    ->DenseRange(0, kColorStyleCount - 1)
    ->Unit(benchmark::kMillisecond);

void BM_ColorEffect_step5(benchmark::State& state) {
  RunStyle(state, 5);
}
BENCHMARK(BM_ColorEffect_step5)->ArgName("style")->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
