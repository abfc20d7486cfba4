#include "imaging/grayscale.h"

namespace quillstone {

void GrayscaleInPlace(RasterImage& image) {
  const int width = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const auto grey = static_cast<std::uint8_t>((77 * p[2] + 151 * p[1] + 28 * p[0]) >> 8);
      p[0] = p[1] = p[2] = grey;
    }
  }
}

}  // namespace quillstone
