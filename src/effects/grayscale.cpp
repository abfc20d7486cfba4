#include "effects/grayscale.h"

#include <cstdint>

#include "effects/cpu_features.h"
#include "effects/pixel_lanes.h"

namespace quillstone {

namespace {

#pragma GCC diagnostic ignored "-Wpsabi"

[[gnu::always_inline]] inline std::uint8_t Grey(const std::uint8_t* p) {
  return static_cast<std::uint8_t>((77 * p[2] + 151 * p[1] + 28 * p[0]) >> 8);
}

// The grey values of 16 pixels; the weights sum to 256, so the weighted sum stays within
// 16 bits.
[[gnu::always_inline]] inline detail::Lanes GreyValues(detail::Lanes blue, detail::Lanes green,
                                                       detail::Lanes red) {
  using detail::UnsignedLanes;
  const auto u = [](detail::Lanes v) { return reinterpret_cast<UnsignedLanes>(v); };
  return reinterpret_cast<detail::Lanes>((77 * u(red) + 151 * u(green) + 28 * u(blue)) >> 8);
}

// Blocks of 32 pixels taken apart into their channels in 16-bit lanes, the pixels after the last whole
// block one by one.
[[gnu::always_inline]] inline void GreyRowBody(std::uint8_t* row, int width) {
  int x = 0;
  for (; x + detail::kPlanePixels <= width; x += detail::kPlanePixels) {
    std::uint8_t* p = row + 3 * x;
    const detail::PixelLanes v = detail::LoadPixelLanes(p);
    detail::StoreGrey(p, detail::Narrow(GreyValues(v.first.blue, v.first.green, v.first.red),
                                        GreyValues(v.second.blue, v.second.green, v.second.red)));
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
