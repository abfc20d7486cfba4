#include "imagefiles/color_depth.h"

#include "imagefiles/palette_matcher.h"

namespace quillstone {

std::vector<Rgb> BlackWhitePalette() {
  return {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
}

std::vector<Rgb> SystemPalette16() {
  return {{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
          {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
          {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
}

std::vector<Rgb> HalftonePalette256() {
  std::vector<Rgb> palette;
  palette.reserve(256);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j)
      for (int k = 0; k < 6; ++k)
        palette.push_back(Rgb{static_cast<std::uint8_t>(51 * i), static_cast<std::uint8_t>(51 * j),
                              static_cast<std::uint8_t>(51 * k)});
  for (int i = 0; i < 5; ++i) {
    for (int k = 1; k <= 8; ++k) {
      const auto grey = static_cast<std::uint8_t>(51 * i + 51 * k / 9);
      palette.push_back(Rgb{grey, grey, grey});
    }
  }
  return palette;
}

std::vector<Rgb> PaletteFor(ColorDepth depth) {
  switch (depth) {
    case ColorDepth::kBits1:
      return BlackWhitePalette();
    case ColorDepth::kBits4:
      return SystemPalette16();
    case ColorDepth::kBits8:
      return HalftonePalette256();
    case ColorDepth::kBits24:
    case ColorDepth::kBits32:
      break;
  }
  return {};
}

StorageFormat ReduceColorDepth(RasterImage& image, ColorDepth depth) {
  StorageFormat format{depth, PaletteFor(depth)};
  if (format.palette.empty()) return format;
  PaletteMatcher matcher(format.palette);
  const int width = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const Rgb& c = format.palette[matcher.Nearest(p[2], p[1], p[0])];
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  }
  return format;
}

}  // namespace quillstone
