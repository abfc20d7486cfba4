#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_images.h"
#include "pipeline/render_watermark.h"
#include "text/text_stage.h"

namespace quillstone {
namespace {

const RasterImage& TextPhoto() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

// One full render per iteration with the output kept between iterations, as the window
// and the batch runner do.
void RunTextRender(benchmark::State& state, const WatermarkSettings& settings,
                   const std::vector<std::string>& text) {
  const RasterImage logo;
  const RasterImage texture;
  const TextContext context{{2026, 12, 6, 10, 30, 0, 0}, "photo.jpg", "/photos/"};
  const LocaleInfo locale;
  const RenderInput input{TextPhoto(), logo, texture, settings, text, context, locale, 200, 150};
  RandomSource random(1);
  RenderOutput output;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderWatermark(input, random, output));
    benchmark::DoNotOptimize(output.marked.Bits());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(TextPhoto().ByteCount()));
}

// Three tagged lines, bottom right, on a full-colour box: a typical photo credit.
WatermarkSettings TextOnly() {
  WatermarkSettings s;
  s.frame.outerOn = false;
  s.frame.innerOn = false;
  s.action = WatermarkAction::kUseText;
  s.text.font = {"DejaVu Sans", 36};
  s.text.horizontal = HorizontalAlign::kRight;
  s.text.vertical = VerticalAlign::kBottom;
  s.text.extraCenter = true;
  s.text.backgroundStyle = TextBoxStyle::kFullColor;
  return s;
}

const std::vector<std::string> kThreeLines{
    "$bold$$fcnffff00$Quillstone $date$ $time$",
    "$italic$$inc$$inc$$fn$ ($width$x$height$)",
    "$fcn00ffff$All rights reserved",
};

void BM_Render_text3lines(benchmark::State& state) {
  RunTextRender(state, TextOnly(), kThreeLines);
}
BENCHMARK(BM_Render_text3lines)->Name("BM_Render/text3lines")->Unit(benchmark::kMillisecond);

// The same with 3D outlines of double strength 4 in all eight directions: 32 copies per line.
void BM_Render_text3d_double(benchmark::State& state) {
  WatermarkSettings s = TextOnly();
  s.text.threeD.enabled = true;
  s.text.threeD.doubleStrength = true;
  s.text.threeD.additionalStrength = 4;
  RunTextRender(state, s, kThreeLines);
}
BENCHMARK(BM_Render_text3d_double)->Name("BM_Render/text3d_double")->Unit(benchmark::kMillisecond);

// The text stage alone, without the restore copy and the preview around it. The stage
// runs on the same image again and again; the work per run does not depend on its pixels.
void RunTextStage(benchmark::State& state, const WatermarkSettings& settings) {
  RasterImage image = TextPhoto();
  RasterImage strip;
  const TextContext context{{2026, 12, 6, 10, 30, 0, 0}, "photo.jpg", "/photos/"};
  const LocaleInfo locale;
  for (auto _ : state) {
    RenderTextWatermark(image, {settings.text, kThreeLines, context, locale, settings.channels, &strip});
    benchmark::DoNotOptimize(image.Bits());
  }
}

void BM_TextStage_3lines(benchmark::State& state) {
  RunTextStage(state, TextOnly());
}
BENCHMARK(BM_TextStage_3lines)->Name("BM_TextStage/3lines")->Unit(benchmark::kMillisecond);

void BM_TextStage_3d_double(benchmark::State& state) {
  WatermarkSettings s = TextOnly();
  s.text.threeD.enabled = true;
  s.text.threeD.additionalStrength = 4;
  RunTextStage(state, s);
}
BENCHMARK(BM_TextStage_3d_double)->Name("BM_TextStage/3d_double")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
