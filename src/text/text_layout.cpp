#include "text/text_layout.h"

#include <algorithm>

namespace quillstone {

int LineX(HorizontalAlign align, int imageWidth, int width) {
  switch (align) {
    case HorizontalAlign::kLeft:
      return 0;
    case HorizontalAlign::kCenter:
      return imageWidth / 2 - width / 2;
    case HorizontalAlign::kRight:
      return std::max(imageWidth - width, 0);
  }
  return 0;
}

int ThreeDExtra(const ThreeDSettings& threeD) {
  if (!threeD.enabled || !threeD.doubleStrength) return 0;
  return 2 * std::clamp(threeD.additionalStrength, 2, 10);
}

namespace {

int BlockTop(VerticalAlign align, int imageHeight, int totalHeight) {
  switch (align) {
    case VerticalAlign::kTop:
      return 0;
    case VerticalAlign::kCenter:
      return std::max(imageHeight / 2 - totalHeight / 2, 0);
    case VerticalAlign::kBottom:
      return std::max(imageHeight - totalHeight, 0);
  }
  return 0;
}

// How far "Extra center" moves a line of width w inside the widest line's width: half the
// difference (not below 0), leftwards for Right alignment, none for Center alignment.
int ExtraCentering(const TextSettings& s, int maxWidth, int w) {
  if (!s.extraCenter || s.horizontal == HorizontalAlign::kCenter || w == maxWidth) return 0;
  const int extra = std::max(maxWidth / 2 - w / 2, 0);
  return s.horizontal == HorizontalAlign::kRight ? -extra : extra;
}

}  // namespace

TextBlockLayout LayOutTextBlock(const std::vector<LineMetrics>& lines, const TextSettings& s, int imageWidth,
                                int imageHeight) {
  TextBlockLayout b;
  for (const LineMetrics& line : lines) {
    if (line.width > b.maxWidth) {  // ties keep the first widest line
      b.maxWidth = line.width;
      b.widestX = LineX(s.horizontal, imageWidth, line.width);
    }
    b.totalHeight += line.height;
  }
  b.widestX = std::max(b.widestX, 0);
  b.maxWidth = std::min(b.maxWidth, imageWidth - 1);
  b.yTop = BlockTop(s.vertical, imageHeight, b.totalHeight);

  b.extra3D = ThreeDExtra(s.threeD);
  b.strength = b.extra3D / 2;
  b.stripHeight = std::min(b.totalHeight + b.extra3D, imageHeight);
  b.lift = b.yTop + b.stripHeight > imageHeight ? b.extra3D : 0;
  b.stripTop = b.yTop - b.lift < 0 ? b.yTop : b.yTop - b.lift;

  // Lines move by the 3D strength away from the side they are aligned to and start half
  // of it below the strip top, so the outlines stay inside the strip.
  const int shift = s.horizontal == HorizontalAlign::kLeft    ? b.strength
                    : s.horizontal == HorizontalAlign::kRight ? -b.strength
                                                              : 0;
  int yImage = b.yTop;
  int yStrip = b.strength / 2;
  b.lines.reserve(lines.size());
  for (const LineMetrics& line : lines) {
    LinePlacement p;
    p.x = LineX(s.horizontal, imageWidth, line.width) + shift + ExtraCentering(s, b.maxWidth, line.width);
    p.y = yStrip;
    p.drawn = !line.blank && yImage < imageHeight;
    b.lines.push_back(p);
    yImage = std::min(yImage + line.height, imageHeight);
    yStrip += line.height;
  }
  return b;
}

TextBoxRect TextBoxRectangle(const TextBlockLayout& b, HorizontalAlign align, bool useImageWidth,
                             int imageWidth) {
  TextBoxRect r;
  r.y1 = b.yTop - b.lift;
  r.y2 = b.yTop + b.stripHeight;
  if (useImageWidth) {
    r.x1 = 0;
    r.x2 = imageWidth - 1;
    return r;
  }
  switch (align) {
    case HorizontalAlign::kLeft:
      r.x1 = 0;
      r.x2 = b.maxWidth + b.extra3D;
      break;
    case HorizontalAlign::kCenter:
      r.x1 = b.widestX - b.extra3D;
      r.x2 = b.widestX + b.maxWidth + b.extra3D;
      break;
    case HorizontalAlign::kRight:
      r.x1 = b.widestX - b.extra3D;
      r.x2 = b.widestX + b.maxWidth;
      break;
  }
  return r;
}

}  // namespace quillstone
