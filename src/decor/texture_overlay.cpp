#include "decor/texture_overlay.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "decor/band_fill.h"

namespace quillstone {

namespace {

// Where a texture lands in one band: the destination rectangle x0 <= x < x1, y0 <= y < y1
// and, per column and row of it, the texture column and row it shows.
struct TexturePlacement {
  bool on = false;
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  std::vector<int> textureX;
  std::vector<int> textureY;

  bool CoversRow(int y) const { return on && y >= y0 && y < y1; }
};

// Nearest-neighbour sampling at pixel centres: index i of n shows ((2i + 1) * size) div (2n).
std::vector<int> SampleMap(int n, int size) {
  std::vector<int> map(static_cast<std::size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) {
    map[static_cast<std::size_t>(i)] =
        static_cast<int>((static_cast<long long>(2 * i + 1) * size) / (2LL * n));
  }
  return map;
}

void FinishPlacement(TexturePlacement& p, const RasterImage& texture) {
  p.on = p.x1 > p.x0 && p.y1 > p.y0;
  if (!p.on) return;
  p.textureX = SampleMap(p.x1 - p.x0, texture.Width());
  p.textureY = SampleMap(p.y1 - p.y0, texture.Height());
}

bool TextureWanted(const TextureSide& side, int margin, const RasterImage& texture) {
  return side.useTexture && margin > 0 && !texture.Empty();
}

// A top or bottom band: rows y0 .. y1 - 1, placed along the picture's columns
// left .. left + width - 1.
TexturePlacement PlaceAlong(const TextureSide& side, const RasterImage& texture, int y0, int y1, int left,
                            int width) {
  TexturePlacement p;
  if (!TextureWanted(side, y1 - y0, texture)) return p;
  const int tw = texture.Width();
  p.y0 = y0;
  p.y1 = y1;
  if (side.align == TextureAlign::kStretch || tw >= width) {
    p.x0 = left;
    p.x1 = left + width;
  } else if (side.align == TextureAlign::kStart) {
    p.x0 = left;
    p.x1 = left + tw;
  } else if (side.align == TextureAlign::kEnd) {
    p.x0 = left + width - tw;
    p.x1 = left + width;
  } else {
    p.x0 = width / 2 + left - tw / 2;
    p.x1 = p.x0 + tw;
  }
  FinishPlacement(p, texture);
  return p;
}

// A left or right band: columns x0 .. x1 - 1, placed on the whole destination height,
// while the comparison that chooses stretching uses the picture's height.
TexturePlacement PlaceAcross(const TextureSide& side, const RasterImage& texture, int x0, int x1,
                             int pictureHeight, int destinationHeight) {
  TexturePlacement p;
  if (!TextureWanted(side, x1 - x0, texture)) return p;
  const int th = texture.Height();
  p.x0 = x0;
  p.x1 = x1;
  if (side.align == TextureAlign::kStretch || th >= pictureHeight) {
    p.y0 = 0;
    p.y1 = destinationHeight;
  } else if (side.align == TextureAlign::kStart) {
    p.y0 = 0;
    p.y1 = th;
  } else if (side.align == TextureAlign::kEnd) {
    p.y0 = destinationHeight - th;
    p.y1 = destinationHeight;
  } else {
    p.y0 = destinationHeight / 2 - th / 2;
    p.y1 = p.y0 + th;
  }
  FinishPlacement(p, texture);
  return p;
}

// Copies the placed texture's pixels of destination row y into that row.
void CopyTextureSpan(std::uint8_t* row, const TexturePlacement& p, const RasterImage& texture, int y) {
  const std::uint8_t* t = texture.Row(p.textureY[static_cast<std::size_t>(y - p.y0)]);
  std::uint8_t* d = row + 3 * p.x0;
  for (const int tx : p.textureX) {
    const std::uint8_t* s = t + 3 * tx;
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    d += 3;
  }
}

// One row of a left or right band: the texture where it is placed, the colour elsewhere.
void PaintSideSpan(std::uint8_t* row, int x0, int x1, int y, const TexturePlacement& p, Rgb color,
                   const RasterImage& texture) {
  if (p.CoversRow(y)) {
    CopyTextureSpan(row, p, texture, y);
  } else {
    FillRowSpan(row, x0, x1, color);
  }
}

}  // namespace

TextureMargins MarginWidths(const TextureSettings& settings) {
  return {std::clamp(settings.top.margin, 0, kMaxTextureMargin),
          std::clamp(settings.bottom.margin, 0, kMaxTextureMargin),
          std::clamp(settings.left.margin, 0, kMaxTextureMargin),
          std::clamp(settings.right.margin, 0, kMaxTextureMargin)};
}

void TextureOverlay(RasterImage& destination, const RasterImage& source, const TextureSettings& settings,
                    const RasterImage& texture) {
  if (&destination == &source) {
    const RasterImage copy = source;
    TextureOverlay(destination, copy, settings, texture);
    return;
  }
  const auto [t, b, l, r] = MarginWidths(settings);
  const int W = source.Width();
  const int H = source.Height();
  destination.Resize(W + l + r, H + t + b);
  const int destW = destination.Width();
  const int destH = destination.Height();

  const TexturePlacement top = PlaceAlong(settings.top, texture, 0, t, l, W);
  const TexturePlacement bottom = PlaceAlong(settings.bottom, texture, H + t, destH, l, W);
  const TexturePlacement left = PlaceAcross(settings.left, texture, 0, l, H, destH);
  const TexturePlacement right = PlaceAcross(settings.right, texture, l + W, destW, H, destH);
  const Rgb topColor = SplitColor(settings.top.color);
  const Rgb bottomColor = SplitColor(settings.bottom.color);
  const Rgb leftColor = SplitColor(settings.left.color);
  const Rgb rightColor = SplitColor(settings.right.color);
  const std::size_t pictureBytes = static_cast<std::size_t>(W) * 3;

  for (int y = 0; y < destH; ++y) {
    std::uint8_t* row = destination.Row(y);
    PaintSideSpan(row, 0, l, y, left, leftColor, texture);
    if (y < t) {
      FillRowSpan(row, l, l + W, topColor);
      if (top.CoversRow(y)) CopyTextureSpan(row, top, texture, y);
    } else if (y < t + H) {
      if (pictureBytes > 0) std::memcpy(row + 3 * l, source.Row(y - t), pictureBytes);
    } else {
      FillRowSpan(row, l, l + W, bottomColor);
      if (bottom.CoversRow(y)) CopyTextureSpan(row, bottom, texture, y);
    }
    PaintSideSpan(row, l + W, destW, y, right, rightColor, texture);
  }
}

}  // namespace quillstone
