#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/jpeg_decoder.h"

namespace quillstone {
namespace {

// A smooth 4000 x 3000 photo with a little grain, encoded at quality 92 by libjpeg: with
// tables computed for it and no chroma subsampling (as many editors write), or with the
// standard tables and 4:2:0 (as a camera does).
const std::string& SourceJpeg(bool cameraLike) {
  static const auto make = [](bool camera) {
    const int width = 4000, height = 3000;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        noise = noise * 1664525u + 1013904223u;
        const double wave =
            50 * std::sin(x * 0.013 + y * 0.007) + 20 * std::sin(x * 0.11) * std::cos(y * 0.09);
        std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        for (int c = 0; c < 3; ++c)
          p[c] = static_cast<std::uint8_t>(std::lround(128 + wave * (1 - 0.3 * c) + (noise >> (28 + c))));
      }
    }
    jpeg_compress_struct out{};
    jpeg_error_mgr errors{};
    out.err = jpeg_std_error(&errors);
    jpeg_create_compress(&out);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&out, &buffer, &size);
    out.image_width = width;
    out.image_height = height;
    out.input_components = 3;
    out.in_color_space = JCS_RGB;
    jpeg_set_defaults(&out);
    jpeg_set_quality(&out, 92, TRUE);
    out.optimize_coding = camera ? FALSE : TRUE;
    if (!camera) out.comp_info[0].h_samp_factor = out.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&out, TRUE);
    while (out.next_scanline < out.image_height) {
      JSAMPROW row = &rgb[static_cast<std::size_t>(out.next_scanline) * width * 3];
      jpeg_write_scanlines(&out, &row, 1);
    }
    jpeg_finish_compress(&out);
    jpeg_destroy_compress(&out);
    std::string file(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return file;
  };
  static const std::string editor = make(false), camera = make(true);
  return cameraLike ? camera : editor;
}

std::span<const std::uint8_t> Bytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

// Scanning where every block's codes lie, the first step of keeping a photo's blocks.
void BM_ScanJpeg(benchmark::State& state) {
  const std::string& file = SourceJpeg(state.range(0) != 0);
  KeptBlocksMemory memory;
  for (auto _ : state) {
    if (!ScanJpegSource(Bytes(file), memory)) state.SkipWithError("scan failed");
    benchmark::DoNotOptimize(memory.scan.blocks.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ScanJpeg)->ArgName("camera")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A batch item's work on a photo when only a 200 x 80 logo in a corner changes it, the file
// read and the render aside: the scan, the decode of the units around the logo and the write
// that copies every other block's bits.
void BM_KeepJpegBlocks(benchmark::State& state) {
  const std::string& file = SourceJpeg(state.range(0) != 0);
  RasterImage decoded;
  if (!DecodeJpegMemory(Bytes(file).data(), file.size(), decoded)) state.SkipWithError("decode failed");
  RasterImage marked = decoded;
  for (int y = 20; y < 100; ++y)
    for (int x = 20; x < 220; ++x) marked.SetPixel(x, y, Rgb{255, static_cast<std::uint8_t>(x), 40});
  KeptBlocksMemory memory;
  MemorySink sink;
  for (auto _ : state) {
    sink.bytes.clear();
    const bool scanned = ScanJpegSource(Bytes(file), memory);
    const int unitW = memory.blockLayout.UnitWidth(), unitH = memory.blockLayout.UnitHeight();
    const Rect reach{20 / unitW, 20 / unitH, (220 + unitW - 1) / unitW, (100 + unitH - 1) / unitH};
    const Rect ring{std::max(reach.left - 1, 0), std::max(reach.top - 1, 0), reach.right + 1,
                    reach.bottom + 1};
    KeptBlocksCount count;
    if (!scanned || !DecodeScannedUnits(Bytes(file), memory, ring, decoded) ||
        !EncodeKeepingBlocks(marked,
                             {.file = Bytes(file),
                              .decoded = decoded,
                              .memory = &memory,
                              .scanned = true,
                              .changeable = reach},
                             sink, "bench.jpg", &count) ||
        !count.copiedBits)
      state.SkipWithError("keeping the blocks failed");
    benchmark::DoNotOptimize(sink.bytes.data());
  }
  state.counters["size_ratio"] = static_cast<double>(sink.bytes.size()) / static_cast<double>(file.size());
}
BENCHMARK(BM_KeepJpegBlocks)->ArgName("camera")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
