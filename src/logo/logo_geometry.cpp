#include "logo/logo_geometry.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace quillstone {

namespace {

void CopyPixel(std::uint8_t* d, const std::uint8_t* s) {
  d[0] = s[0];
  d[1] = s[1];
  d[2] = s[2];
}

}  // namespace

void MirrorLogoRightHalf(RasterImage& logo) {
  const int W = logo.Width();
  for (int y = 0; y < logo.Height() && W > 0; ++y) {
    std::uint8_t* row = logo.Row(y);
    // Up to and including W div 2; for even W that last step copies a column that was
    // itself just mirrored, which changes nothing.
    for (int x = 0; x <= W / 2; ++x) CopyPixel(row + 3 * (W - 1 - x), row + 3 * x);
  }
}

void MirrorLogoBottomHalf(RasterImage& logo) {
  if (logo.Empty()) return;
  const int H = logo.Height();
  const std::size_t bytes = static_cast<std::size_t>(logo.Width()) * 3;
  for (int y = 0; y <= H / 2; ++y) {
    if (H - 1 - y != y) std::memcpy(logo.Row(H - 1 - y), logo.Row(y), bytes);
  }
}

void RotateLogoQuarter(RasterImage& logo) {
  if (logo.Empty()) return;
  const int W = logo.Width();
  const int H = logo.Height();
  RasterImage turned(H, W);
  // Row r of the result is source column W - 1 - r, read top to bottom.
  for (int r = 0; r < W; ++r) {
    std::uint8_t* d = turned.Row(r);
    const int sx = W - 1 - r;
    for (int c = 0; c < H; ++c, d += 3) CopyPixel(d, logo.Row(c) + 3 * sx);
  }
  logo = std::move(turned);
}

}  // namespace quillstone
