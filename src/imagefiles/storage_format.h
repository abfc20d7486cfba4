#pragma once

#include <cstdint>
#include <vector>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// The pixel depths an image can be written at (the batch page's "Color depth" choices,
// in their order).
enum class ColorDepth : std::uint8_t { kBits1, kBits4, kBits8, kBits24, kBits32 };

// 1, 4, 8, 24 or 32.
constexpr int BitsPerPixel(ColorDepth depth) {
  switch (depth) {
    case ColorDepth::kBits1:
      return 1;
    case ColorDepth::kBits4:
      return 4;
    case ColorDepth::kBits8:
      return 8;
    case ColorDepth::kBits24:
      return 24;
    case ColorDepth::kBits32:
      return 32;
  }
  return 24;
}

constexpr bool HasPalette(ColorDepth depth) {
  return BitsPerPixel(depth) <= 8;
}

// How a 24-bit raster is stored in a file: its depth and, for 1, 4 and 8 bits, the colour
// table its pixels index. The raster itself keeps 24-bit pixels whose colours are palette
// entries (ReduceColorDepth makes them so), so rotating or toning it needs no special case;
// a writer turns each pixel back into the index of its nearest entry. 32-bit files carry
// the same colours as 24-bit ones with an unused fourth byte.
struct StorageFormat {
  ColorDepth depth = ColorDepth::kBits24;
  // 2, 16 or 256 entries for 1, 4 and 8 bits; empty for 24 and 32 bits. A 1-bit palette
  // is always black (index 0), white (index 1).
  std::vector<Rgb> palette;

  int Bits() const { return BitsPerPixel(depth); }
  friend bool operator==(const StorageFormat&, const StorageFormat&) = default;
};

// Whether a writer can store the image in this format: the image has pixels, and a
// 1, 4 or 8-bit format has a palette of 1 to 2^bits entries. The error says what is wrong.
Status CheckWritable(const RasterImage& image, const StorageFormat& format);

}  // namespace quillstone
