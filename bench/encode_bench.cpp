#include <benchmark/benchmark.h>

#include <vector>

#include "bench_images.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/jpeg_writer.h"
#include "imagefiles/sepia.h"

namespace quillstone {
namespace {

const RasterImage& EncodePhoto() {
  static const RasterImage image = bench::PhotoLikeImage();
  return image;
}

void SetPixelsProcessed(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * EncodePhoto().Width() *
                          EncodePhoto().Height());
}

// JPEG encoding of the 4000 x 3000 photo at quality 80 (the batch default) into memory,
// the buffer kept between iterations.
void BM_EncodeJpeg80(benchmark::State& state) {
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    if (!EncodeJpeg(EncodePhoto(), JpegOptions{80, false, false}, bytes))
      state.SkipWithError("encode failed");
    benchmark::DoNotOptimize(bytes.data());
  }
  SetPixelsProcessed(state);
}
BENCHMARK(BM_EncodeJpeg80)->Unit(benchmark::kMillisecond);

void BM_EncodeJpeg80Progressive(benchmark::State& state) {
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    if (!EncodeJpeg(EncodePhoto(), JpegOptions{80, false, true}, bytes)) state.SkipWithError("encode failed");
    benchmark::DoNotOptimize(bytes.data());
  }
  SetPixelsProcessed(state);
}
BENCHMARK(BM_EncodeJpeg80Progressive)->Unit(benchmark::kMillisecond);

// Reduction to the 256-colour halftone palette: the nearest-entry search on photo colours.
void BM_ReduceColorDepth8(benchmark::State& state) {
  RasterImage image;
  for (auto _ : state) {
    image = EncodePhoto();
    benchmark::DoNotOptimize(ReduceColorDepth(image, ColorDepth::kBits8));
  }
  SetPixelsProcessed(state);
}
BENCHMARK(BM_ReduceColorDepth8)->Unit(benchmark::kMillisecond);

void BM_SepiaTone(benchmark::State& state) {
  RasterImage image = EncodePhoto();
  for (auto _ : state) {
    SepiaTone(image);
    benchmark::DoNotOptimize(image.Bits());
  }
  SetPixelsProcessed(state);
}
BENCHMARK(BM_SepiaTone)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
