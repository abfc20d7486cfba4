#include "imagefiles/alpha_rows.h"

namespace quillstone {

void StoreBgraRow(const std::uint8_t* bgra, int width, std::uint8_t* bgr, std::uint8_t* alpha) {
  if (alpha != nullptr) {
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
      bgr[0] = bgra[0];
      bgr[1] = bgra[1];
      bgr[2] = bgra[2];
      alpha[x] = bgra[3];
    }
    return;
  }
  for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
    const unsigned a = bgra[3];
    const unsigned white = 255 * (255 - a) + 127;
    bgr[0] = static_cast<std::uint8_t>((bgra[0] * a + white) / 255);
    bgr[1] = static_cast<std::uint8_t>((bgra[1] * a + white) / 255);
    bgr[2] = static_cast<std::uint8_t>((bgra[2] * a + white) / 255);
  }
}

}  // namespace quillstone
