#include "platform/glyph_region.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstring>

#include "platform/font_impl.h"

namespace quillstone {

void GlyphRegion::Record(const Font& font, int x, int y, std::string_view text, int clipWidth,
                         int clipHeight) {
  Clear();
  if (text.empty() || clipWidth <= 0 || clipHeight <= 0) return;
  QPainterPath path;
  path.addText(QPointF(x, y + font.Ascent()), font.impl().font, ToQString(text));
  if (path.isEmpty()) return;
  const QRect box = path.boundingRect().toAlignedRect().intersected(QRect(0, 0, clipWidth, clipHeight));
  if (box.isEmpty()) return;

  left_ = box.left();
  top_ = box.top();
  width_ = box.width();
  height_ = box.height();
  stride_ = (static_cast<std::size_t>(width_) + 3) & ~std::size_t{3};  // QImage wants 4-byte rows
  const std::size_t bytes = stride_ * static_cast<std::size_t>(height_);
  if (mask_.size() < bytes) mask_.resize(bytes);
  std::memset(mask_.data(), 0, bytes);

  QImage mask(mask_.data(), width_, height_, static_cast<qsizetype>(stride_), QImage::Format_Grayscale8);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.translate(-left_, -top_);
  painter.fillPath(path, Qt::white);
}

namespace {

template <bool kInvert>
void CopyRows(const GlyphRegion& region, const RasterImage& source, int sourceTop, RasterImage& dest) {
  const int width = std::min(source.Width(), dest.Width());
  const int x0 = std::max(region.Left(), 0);
  const int x1 = std::min(region.Left() + region.Width(), width);
  if (x0 >= x1) return;
  for (int my = 0; my < region.Height(); ++my) {
    const int y = region.Top() + my;
    const int sy = y + sourceTop;
    if (y < 0 || y >= dest.Height() || sy < 0 || sy >= source.Height()) continue;
    const std::uint8_t* mask = region.MaskRow(my);
    const int left = region.Left();
    const std::uint8_t* in = source.Row(sy);
    std::uint8_t* out = dest.Row(y);
    for (int x = x0; x < x1; ++x) {
      if (mask[x - left] == 0) continue;
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t v = in[3 * x + c];
        out[3 * x + c] = kInvert ? static_cast<std::uint8_t>(255 - v) : v;
      }
    }
  }
}

}  // namespace

void CopyInsideRegion(const GlyphRegion& region, const RasterImage& source, int sourceTop, bool invert,
                      RasterImage& dest) {
  if (region.Empty() || source.Empty() || dest.Empty()) return;
  if (invert) {
    CopyRows<true>(region, source, sourceTop, dest);
  } else {
    CopyRows<false>(region, source, sourceTop, dest);
  }
}

}  // namespace quillstone
