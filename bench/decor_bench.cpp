#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_images.h"
#include "decor/frames.h"
#include "decor/texture_overlay.h"
#include "pipeline/render_watermark.h"

namespace quillstone {
namespace {

const RasterImage& DecorPhoto() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

// The frame stage alone on the 4000 x 3000 image, widths 10 and 5, with the scratch raster
// kept between iterations as the render keeps it.
void BM_DrawFrames(benchmark::State& state) {
  FrameSettings settings;
  settings.outerWidth = 10;
  settings.innerWidth = 5;
  RasterImage image;
  RasterImage scratch;
  for (auto _ : state) {
    image = DecorPhoto();
    DrawFrames(image, settings, scratch);
    benchmark::DoNotOptimize(image.Bits());
  }
}
BENCHMARK(BM_DrawFrames)->Unit(benchmark::kMillisecond);

// Margins of 100 pixels on every side, textures on all four, into a kept destination.
void BM_TextureOverlay(benchmark::State& state) {
  TextureSettings settings;
  for (TextureSide* side : {&settings.top, &settings.bottom, &settings.left, &settings.right}) {
    side->margin = 100;
    side->useTexture = true;
  }
  settings.left.align = TextureAlign::kCenter;
  const RasterImage texture = bench::PhotoLikeImage(256, 256);
  RasterImage destination;
  for (auto _ : state) {
    TextureOverlay(destination, DecorPhoto(), settings, texture);
    benchmark::DoNotOptimize(destination.Bits());
  }
}
BENCHMARK(BM_TextureOverlay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
