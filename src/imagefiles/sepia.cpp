#include "imagefiles/sepia.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "imaging/arithmetic.h"

namespace quillstone {
namespace {

struct SepiaTables {
  std::array<std::uint8_t, 256> red{};
  std::array<std::uint8_t, 256> blue{};
};

const SepiaTables& Tables() {
  static const SepiaTables tables = [] {
    SepiaTables t;
    for (int v = 0; v < 256; ++v) {
      const double level = v / 255.0;
      // std::nearbyint rounds halves to even in the default rounding mode.
      t.red[v] = Clamp255(static_cast<int>(std::nearbyint(255.0 * std::pow(level, 0.75))));
      t.blue[v] = Clamp255(static_cast<int>(std::nearbyint(255.0 * std::pow(level, 1.33))));
    }
    return t;
  }();
  return tables;
}

inline int SepiaLuminance(int r, int g, int b) {
  return (77 * r + 150 * g + 29 * b + 128) >> 8;
}

}  // namespace

Rgb SepiaColor(Rgb c) {
  const SepiaTables& t = Tables();
  const int y = SepiaLuminance(c.r, c.g, c.b);
  return Rgb{t.red[y], static_cast<std::uint8_t>(y), t.blue[y]};
}

void SepiaTone(RasterImage& image) {
  const SepiaTables& t = Tables();
  const int width = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const int luminance = SepiaLuminance(p[2], p[1], p[0]);
      p[0] = t.blue[luminance];
      p[1] = static_cast<std::uint8_t>(luminance);
      p[2] = t.red[luminance];
    }
  }
}

void SepiaTone(std::span<Rgb> palette) {
  for (Rgb& c : palette) c = SepiaColor(c);
}

}  // namespace quillstone
