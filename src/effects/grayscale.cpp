#include "effects/grayscale.h"

#include <cstdint>

#include "effects/cpu_features.h"
#include "effects/pixel_lanes.h"
#include "effects/row_blocks.h"

namespace quillstone {

namespace {

#pragma GCC diagnostic ignored "-Wpsabi"

[[gnu::always_inline]] inline std::uint8_t Grey(const std::uint8_t* p) {
  return static_cast<std::uint8_t>((77 * p[2] + 151 * p[1] + 28 * p[0]) >> 8);
}

// Blocks of 16 pixels taken apart into their channels; the weights sum to 256, so the
// weighted sum stays within 16 bits.
[[gnu::always_inline]] inline void GreyRowBody(std::uint8_t* row, int width) {
  using detail::UnsignedLanes;
  const auto wide = [](detail::Bytes b) { return __builtin_convertvector(b, UnsignedLanes); };
  int x = 0;
  for (; x + detail::kBlockPixels <= width; x += detail::kBlockPixels) {
    std::uint8_t* p = row + 3 * x;
    const detail::PixelPlanes v = detail::LoadPlanes(p);
    const UnsignedLanes grey = (77 * wide(v.red) + 151 * wide(v.green) + 28 * wide(v.blue)) >> 8;
    detail::StoreGrey(p, __builtin_convertvector(grey, detail::Bytes));
  }
  for (std::uint8_t* p = row + 3 * x; x < width; ++x, p += 3) p[0] = p[1] = p[2] = Grey(p);
}

[[gnu::noinline]] void GreyRowsBaseline(RasterImage& image) {
  for (int y = 0; y < image.Height(); ++y) GreyRowBody(image.Row(y), image.Width());
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
[[gnu::target("avx2"), gnu::noinline]] void GreyRowsAvx2(RasterImage& image) {
  for (int y = 0; y < image.Height(); ++y) GreyRowBody(image.Row(y), image.Width());
}
#endif

}  // namespace

void GrayscaleInPlace(RasterImage& image) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) {
    GreyRowsAvx2(image);
    return;
  }
#endif
  GreyRowsBaseline(image);
}

}  // namespace quillstone
