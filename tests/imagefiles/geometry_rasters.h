#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/raster_image.h"
#include "support/test_support.h"

namespace quillstone::testing {

// Small rasters for the geometry tests.

// A raster written as text: each character is one pixel whose three
// channels all hold the character's code, so a picture reads back as the same letters.
// '.' stands for black (the fill colour) both ways.
inline RasterImage LetterRaster(const std::vector<std::string>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<std::uint8_t>(rows[y][x] == '.' ? 0 : rows[y][x]);
      image.SetPixel(x, y, Rgb{v, v, v});
    }
  }
  return image;
}

inline std::vector<std::string> Letters(const RasterImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.Height(); ++y) {
    std::string row;
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.Pixel(x, y);
      row += c.r == 0 ? '.' : static_cast<char>(c.r);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace quillstone::testing
