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
  std::vector<std::vector<int>> levels;
  for (const std::string& row : rows) {
    std::vector<int>& level = levels.emplace_back();
    for (const char c : row) level.push_back(c == '.' ? 0 : static_cast<std::uint8_t>(c));
  }
  return GreyRaster(levels);
}

inline std::vector<std::string> Letters(const RasterImage& image) {
  std::vector<std::string> rows;
  for (const std::vector<int>& levels : Greys(image)) {
    std::string& row = rows.emplace_back();
    for (const int v : levels) row += v == 0 ? '.' : static_cast<char>(v);
  }
  return rows;
}

// "abc" over "def" as a camera stores it in each of the eight EXIF orientations, 1 first.
inline const std::vector<std::vector<std::string>> kExifStoredLetters = {
    {"abc", "def"},      // 1
    {"cba", "fed"},      // 2: mirrored
    {"fed", "cba"},      // 3: half a turn
    {"def", "abc"},      // 4: upside down
    {"ad", "be", "cf"},  // 5: transposed
    {"cf", "be", "ad"},  // 6: to be turned a quarter clockwise
    {"fc", "eb", "da"},  // 7: transversed
    {"da", "eb", "fc"},  // 8: to be turned a quarter counter-clockwise
};

}  // namespace quillstone::testing
