#pragma once

#include <cstdint>

#include "imaging/raster_image.h"

namespace quillstone::bench {

// A photo-like 4000 x 3000 image: smooth gradients with some texture, so codecs and
// filters see realistic data rather than flat colour.
inline RasterImage PhotoLikeImage(int width = 4000, int height = 3000) {
  RasterImage image(width, height);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int n = static_cast<int>(noise >> 28);  // 0..15
      row[3 * x] = static_cast<std::uint8_t>((x * 255 / width + n) & 0xFF);
      row[3 * x + 1] = static_cast<std::uint8_t>((y * 255 / height + n) & 0xFF);
      row[3 * x + 2] = static_cast<std::uint8_t>(((x + y) * 127 / (width + height) + 64 + n) & 0xFF);
    }
  }
  return image;
}

// A 200 x 80 logo with a black (transparent) border.
inline RasterImage BenchLogo() {
  RasterImage logo(200, 80);
  for (int y = 10; y < 70; ++y)
    for (int x = 10; x < 190; ++x) logo.SetPixel(x, y, Rgb{255, static_cast<std::uint8_t>(x), 40});
  return logo;
}

}  // namespace quillstone::bench
