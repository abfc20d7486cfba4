#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "imagefiles/palette_matcher.h"
#include "imagefiles/storage_format.h"

namespace quillstone {

// Turns 24-bit raster rows into the pixel bytes a file stores at a given depth.
//   1, 4, 8 bits: palette indexes (nearest entry of the format's palette), packed from the
//                 most significant bit, the leftmost pixel first; unused low bits are zero.
//   24, 32 bits:  kDib: blue, green, red per pixel, with a zero fourth byte at 32 bits;
//                 kRgb: red, green, blue per pixel at both depths.
// Row padding is the caller's business.
class RowEncoder {
 public:
  enum class Samples { kDib, kRgb };

  RowEncoder(const StorageFormat& format, int width, Samples samples);

  // Bytes of one encoded row, without padding.
  std::size_t RowBytes() const { return rowBytes_; }

  // Encodes `width` pixels of a raster row into RowBytes() bytes at dst.
  void Encode(const std::uint8_t* row, std::uint8_t* dst);

 private:
  int width_;
  int bits_;
  Samples samples_;
  std::size_t rowBytes_;
  std::optional<PaletteMatcher> matcher_;
};

}  // namespace quillstone
