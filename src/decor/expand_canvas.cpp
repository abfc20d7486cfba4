#include "decor/expand_canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillstone {

void ExpandCanvas(RasterImage& image, int top, int bottom, int left, int right) {
  RasterImage scratch;
  ExpandCanvas(image, top, bottom, left, right, scratch);
}

void ExpandCanvas(RasterImage& image, int top, int bottom, int left, int right, RasterImage& scratch) {
  top = std::max(top, 0);
  bottom = std::max(bottom, 0);
  left = std::max(left, 0);
  right = std::max(right, 0);
  if (top == 0 && bottom == 0 && left == 0 && right == 0) return;
  const int width = image.Width();
  const int height = image.Height();
  // 64-bit sums so that huge margins reach the size check instead of overflowing.
  const long long newWidth = static_cast<long long>(width) + left + right;
  const long long newHeight = static_cast<long long>(height) + top + bottom;
  CheckRasterSize(static_cast<int>(std::min<long long>(newWidth, RasterImage::kMaxSide + 1LL)),
                  static_cast<int>(std::min<long long>(newHeight, RasterImage::kMaxSide + 1LL)));
  scratch.Resize(static_cast<int>(newWidth), static_cast<int>(newHeight));
  const int x0 = (left + right) / 2;
  const int y0 = (top + bottom) / 2;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (rowBytes > 0) {
    for (int y = 0; y < height; ++y) std::memcpy(scratch.Row(y0 + y) + 3 * x0, image.Row(y), rowBytes);
  }
  std::swap(image, scratch);
}

}  // namespace quillstone
