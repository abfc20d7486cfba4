#pragma once

#include <algorithm>
#include <ostream>

#include "imaging/raster_image.h"

namespace quillstone::testing {

// The smallest box (x1, y1) .. (x2, y2), inclusive, around the pixels that differ from a
// background; text tests compare these extents with measured text sizes.
struct InkBox {
  int x1 = 1 << 30;
  int y1 = 1 << 30;
  int x2 = -1;
  int y2 = -1;

  bool Empty() const { return x1 > x2; }
  InkBox Shifted(int dx, int dy) const { return {x1 + dx, y1 + dy, x2 + dx, y2 + dy}; }
  void Add(int x, int y) {
    x1 = std::min(x1, x);
    y1 = std::min(y1, y);
    x2 = std::max(x2, x);
    y2 = std::max(y2, y);
  }
  friend bool operator==(const InkBox&, const InkBox&) = default;
  friend std::ostream& operator<<(std::ostream& os, const InkBox& b) {
    return os << "(" << b.x1 << ", " << b.y1 << ") .. (" << b.x2 << ", " << b.y2 << ")";
  }
};

// The box around the pixels of image, within rows y0 .. y1 - 1, that differ from the
// same pixels of background.
inline InkBox InkBoxOf(const RasterImage& image, const RasterImage& background, int y0 = 0, int y1 = -1) {
  InkBox b;
  if (y1 < 0) y1 = image.Height();
  for (int y = std::max(y0, 0); y < std::min(y1, image.Height()); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (!(image.Pixel(x, y) == background.Pixel(x, y))) b.Add(x, y);
  return b;
}

}  // namespace quillstone::testing
