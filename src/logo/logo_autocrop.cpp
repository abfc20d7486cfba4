#include "logo/logo_autocrop.h"

#include "logo/logo_crop.h"

namespace quillstone {

namespace {

struct Key {
  std::uint8_t b, g, r;
  bool Matches(const std::uint8_t* p) const { return p[0] == b && p[1] == g && p[2] == r; }
};

bool ColumnMatches(const RasterImage& image, int x, Key key) {
  for (int y = 0; y < image.Height(); ++y) {
    if (!key.Matches(image.Row(y) + 3 * x)) return false;
  }
  return true;
}

bool RowMatches(const RasterImage& image, int y, Key key) {
  const std::uint8_t* p = image.Row(y);
  for (int x = 0; x < image.Width(); ++x, p += 3) {
    if (!key.Matches(p)) return false;
  }
  return true;
}

}  // namespace

void AutocropLogo(const RasterImage& source, RasterImage& destination, CropCorner corner) {
  if (source.Empty()) {
    if (&source != &destination) destination = source;
    return;
  }
  const int W = source.Width();
  const int H = source.Height();
  const bool right = corner == CropCorner::kTopRight || corner == CropCorner::kBottomRight;
  const bool bottom = corner == CropCorner::kBottomLeft || corner == CropCorner::kBottomRight;
  const std::uint8_t* c = source.Row(bottom ? H - 1 : 0) + 3 * (right ? W - 1 : 0);
  const Key key{c[0], c[1], c[2]};

  int leading = 0;
  for (int x = 0; x <= W / 2 && ColumnMatches(source, x, key); ++x) ++leading;
  int trailing = 0;
  for (int x = W - 1; x >= W / 2 && ColumnMatches(source, x, key); --x) ++trailing;
  int top = 0;
  for (int y = 0; y <= H / 2 && RowMatches(source, y, key); ++y) ++top;
  int below = 0;
  for (int y = H - 1; y >= H / 2 && RowMatches(source, y, key); --y) ++below;

  LogoRect kept{leading, top, W - trailing, H - below};
  if (kept.Width() <= 0) {
    kept.left = 0;
    kept.right = W;
  }
  if (kept.Height() <= 0) {
    kept.top = 0;
    kept.bottom = H;
  }
  if (&source == &destination && kept.Width() == W && kept.Height() == H) return;
  CopyLogoRect(source, kept, destination);
}

}  // namespace quillstone
