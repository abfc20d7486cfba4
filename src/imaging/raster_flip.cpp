#include "imaging/raster_flip.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace quillstone {

void FlipHorizontal(RasterImage& image) {
  const int W = image.Width();
  for (int y = 0; y < image.Height() && W > 1; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int x = 0, mirror = W - 1; x < mirror; ++x, --mirror) {
      std::swap_ranges(row + 3 * x, row + 3 * x + 3, row + 3 * mirror);
    }
  }
}

void FlipVertical(RasterImage& image) {
  if (image.Empty()) return;
  const std::size_t bytes = static_cast<std::size_t>(image.Width()) * 3;
  for (int y = 0, mirror = image.Height() - 1; y < mirror; ++y, --mirror) {
    std::swap_ranges(image.Row(y), image.Row(y) + bytes, image.Row(mirror));
  }
}

}  // namespace quillstone
