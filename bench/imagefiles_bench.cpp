#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_images.h"
#include "imagefiles/jpeg_decoder.h"

// jpeglib.h uses size_t and FILE without declaring them: <cstdio> comes first.
#include <jpeglib.h>

namespace quillstone {
namespace {

// The 4000 x 3000 photo-like image as a quality 80 JPEG (4:2:0, libjpeg defaults).
const std::vector<std::uint8_t>& PhotoJpeg() {
  static const std::vector<std::uint8_t> bytes = [] {
    RasterImage image = bench::PhotoLikeImage();
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.Width());
    cinfo.image_height = static_cast<JDIMENSION>(image.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = image.Row(static_cast<int>(cinfo.next_scanline));
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> result(buffer, buffer + size);
    std::free(buffer);
    return result;
  }();
  return bytes;
}

// Full-size decode into a raster kept between iterations, as the batch runner does.
void BM_DecodeJpeg(benchmark::State& state) {
  const std::vector<std::uint8_t>& jpeg = PhotoJpeg();
  RasterImage out;
  for (auto _ : state) {
    const Status status = DecodeJpegMemory(jpeg.data(), jpeg.size(), out);
    if (!status) state.SkipWithError(status.message().c_str());
    benchmark::DoNotOptimize(out.Bits());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(out.ByteCount()));
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
