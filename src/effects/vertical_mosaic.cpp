#include "effects/vertical_mosaic.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quillstone {

void VerticalMosaic(RasterImage& image, int rows, int step) {
  const int m = std::max(rows, 1);
  const int n = std::max(step, 1);
  const int W = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    const int first = y - y % m;
    if (first == y) continue;
    const std::uint8_t* s = image.Row(first);
    std::uint8_t* d = image.Row(y);
    if (n == 1) {
      std::memcpy(d, s, static_cast<std::size_t>(3 * W));
      continue;
    }
    for (int x = 0; x < W; x += n) std::memcpy(d + 3 * x, s + 3 * x, 3);
  }
}

}  // namespace quillstone
