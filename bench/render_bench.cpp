#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench_images.h"
#include "pipeline/logo_stage.h"
#include "pipeline/preview.h"
#include "pipeline/render_watermark.h"

namespace quillstone {
namespace {

const RasterImage& Photo() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

// The baseline the per-pixel stages are compared with: one copy of the 4000 x 3000 image
// into a buffer kept between iterations.
void BM_CopyImage(benchmark::State& state) {
  const RasterImage& source = Photo();
  RasterImage target(source.Width(), source.Height());
  for (auto _ : state) {
    target = source;
    benchmark::DoNotOptimize(target.Bits());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(source.ByteCount()));
}
BENCHMARK(BM_CopyImage)->Unit(benchmark::kMillisecond);

// The 200 x 80 logo tiled at 50 % spacing over the 4000 x 3000 image, blended in place (the
// stage alone; compare with BM_CopyImage). Argument: 0 a logo without alpha, 1 with one.
void BM_TileLogo(benchmark::State& state) {
  static const RasterImage logo = bench::BenchLogo();
  const std::vector<std::uint8_t> alpha(static_cast<std::size_t>(logo.Width()) * logo.Height(), 200);
  RasterImage image = Photo();
  LogoSettings settings;
  settings.tile = true;
  settings.tileSpacing = 50;
  for (auto _ : state) {
    BlendLogoTiled(image, logo, image, settings, ChannelMask{}, state.range(0) != 0 ? alpha.data() : nullptr);
    benchmark::DoNotOptimize(image.Bits());
  }
}
BENCHMARK(BM_TileLogo)->ArgName("alpha")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One full render with the given settings, reusing the output between iterations as the
// window and the batch runner do.
void RunRender(benchmark::State& state, const WatermarkSettings& settings,
               const std::vector<std::string>& text) {
  static const RasterImage logo = bench::BenchLogo();
  const RasterImage texture;
  const TextContext context{{2026, 12, 6, 10, 30, 0, 0}, "photo.jpg", "/photos/"};
  const LocaleInfo locale;
  const RenderInput input{Photo(), logo, texture, settings, text, context, locale, 200, 150};
  RandomSource random(1);
  RenderOutput output;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderWatermark(input, random, output));
    benchmark::DoNotOptimize(output.marked.Bits());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Photo().ByteCount()));
}

WatermarkSettings NoFrames() {
  WatermarkSettings s;
  s.frame.outerOn = false;
  s.frame.innerOn = false;
  return s;
}

void BM_Render_logo(benchmark::State& state) {
  WatermarkSettings s = NoFrames();
  s.action = WatermarkAction::kPlaceLogo;
  RunRender(state, s, {});
}
BENCHMARK(BM_Render_logo)->Name("BM_Render/logo")->Unit(benchmark::kMillisecond);

void BM_Render_style0_step1(benchmark::State& state) {
  WatermarkSettings s = NoFrames();
  s.action = WatermarkAction::kUseColor;
  s.color.style = ColorStyleIndex(ColorStyle::kFullColor);
  s.color.step = 1;
  RunRender(state, s, {});
}
BENCHMARK(BM_Render_style0_step1)->Name("BM_Render/style0_step1")->Unit(benchmark::kMillisecond);

void BM_Render_style7(benchmark::State& state) {
  WatermarkSettings s = NoFrames();
  s.action = WatermarkAction::kUseColor;
  s.color.style = ColorStyleIndex(ColorStyle::kAllFourSides);
  RunRender(state, s, {});
}
BENCHMARK(BM_Render_style7)->Name("BM_Render/style7")->Unit(benchmark::kMillisecond);

void BM_Render_style36(benchmark::State& state) {
  WatermarkSettings s = NoFrames();
  s.action = WatermarkAction::kUseColor;
  s.color.style = ColorStyleIndex(ColorStyle::kEmbossColor1);
  RunRender(state, s, {});
}
BENCHMARK(BM_Render_style36)->Name("BM_Render/style36")->Unit(benchmark::kMillisecond);

void BM_Render_combination_LC(benchmark::State& state) {
  WatermarkSettings s = NoFrames();
  s.combination = CombinationOrder::kLC;
  RunRender(state, s, {});
}
BENCHMARK(BM_Render_combination_LC)->Name("BM_Render/combination_LC")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone

namespace quillstone {
namespace {

void BM_Preview(benchmark::State& state) {
  RasterImage preview;
  for (auto _ : state) {
    AreaAverageResize(Photo(), 200, 150, preview);
    benchmark::DoNotOptimize(preview.Bits());
  }
}
BENCHMARK(BM_Preview)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
