#include "imagefiles/row_encoder.h"

#include <cstring>

namespace quillstone {

RowEncoder::RowEncoder(const StorageFormat& format, int width, Samples samples)
    : width_(width), bits_(format.Bits()), samples_(samples) {
  const int storedBits = (bits_ == 32 && samples == Samples::kRgb) ? 24 : bits_;
  rowBytes_ = (static_cast<std::size_t>(width) * static_cast<std::size_t>(storedBits) + 7) / 8;
  if (bits_ <= 8) matcher_.emplace(format.palette);
}

void RowEncoder::Encode(const std::uint8_t* row, std::uint8_t* dst) {
  const int width = width_;
  if (bits_ <= 8) {
    PaletteMatcher& matcher = *matcher_;
    if (bits_ == 8) {
      for (int x = 0; x < width; ++x, row += 3) dst[x] = matcher.Nearest(row[2], row[1], row[0]);
      return;
    }
    std::memset(dst, 0, rowBytes_);
    const int perByte = 8 / bits_;
    for (int x = 0; x < width; ++x, row += 3) {
      const int shift = 8 - bits_ * (x % perByte + 1);
      dst[x / perByte] =
          static_cast<std::uint8_t>(dst[x / perByte] | matcher.Nearest(row[2], row[1], row[0]) << shift);
    }
    return;
  }
  if (samples_ == Samples::kRgb) {
    for (int x = 0; x < width; ++x, row += 3, dst += 3) {
      dst[0] = row[2];
      dst[1] = row[1];
      dst[2] = row[0];
    }
  } else if (bits_ == 32) {
    for (int x = 0; x < width; ++x, row += 3, dst += 4) {
      dst[0] = row[0];
      dst[1] = row[1];
      dst[2] = row[2];
      dst[3] = 0;
    }
  } else {
    std::memcpy(dst, row, rowBytes_);
  }
}

}  // namespace quillstone
