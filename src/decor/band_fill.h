#pragma once

#include <cstdint>
#include <cstring>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"

namespace quillstone {

// Paints columns x0 .. x1 - 1 of one raster row in one colour; nothing when x1 <= x0.
inline void FillRowSpan(std::uint8_t* row, int x0, int x1, Rgb color) {
  for (std::uint8_t* p = row + 3 * x0; x0 < x1; ++x0, p += 3) {
    p[0] = color.b;
    p[1] = color.g;
    p[2] = color.r;
  }
}

// Paints the rectangle x0 <= x < x1, y0 <= y < y1 in one colour: the first row pixel by
// pixel, the others as copies of it. The rectangle must lie inside the raster.
inline void FillRect(RasterImage& image, int x0, int y0, int x1, int y1, ColorValue color) {
  if (x1 <= x0 || y1 <= y0) return;
  FillRowSpan(image.Row(y0), x0, x1, SplitColor(color));
  const std::size_t bytes = static_cast<std::size_t>(x1 - x0) * 3;
  const std::uint8_t* first = image.Row(y0) + 3 * x0;
  for (int y = y0 + 1; y < y1; ++y) std::memcpy(image.Row(y) + 3 * x0, first, bytes);
}

}  // namespace quillstone
