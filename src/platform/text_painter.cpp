#include "platform/text_painter.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/canvas_impl.h"
#include "platform/font_impl.h"

namespace quillstone {

struct TextPainter::Impl {
  RasterImage& raster;
  // Coverage of the string, 0..255 per pixel, over a box that holds all of its ink; the
  // box's top-left corner lies at (left, top) relative to the cell's top-left corner.
  std::vector<std::uint8_t> coverage;
  // Per coverage row, the columns first .. last - 1 outside which the coverage is 0.
  std::vector<std::pair<int, int>> spans;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

namespace {

// x / 255 rounded to nearest, for x in 0..255 * 255.
constexpr int Div255(int x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}

}  // namespace

TextPainter::TextPainter(Canvas& canvas, const Font& font, std::string_view text, int x, int y, int reach)
    : impl_(std::make_unique<Impl>(Impl{canvas.impl().raster, {}, {}, 0, 0, 0, 0, 0})) {
  if (text.empty()) return;
  const QString s = ToQString(text);
  const QFontMetrics& m = font.impl().metrics;
  const int ascent = m.ascent();
  // The ink box the metrics report, joined with the cell and widened by a margin, since
  // slanted and anti-aliased glyphs may reach a little past the reported box.
  const int px = FontPixelSize(font.Description().points);
  const QRect cell(0, 0, m.horizontalAdvance(s), font.Height());
  const QRect ink = m.boundingRect(s).translated(0, ascent);
  const QRect reachable(-x - reach, -y - reach, impl_->raster.Width() + 2 * reach,
                        impl_->raster.Height() + 2 * reach);
  const QRect box =
      cell.united(ink).adjusted(-(px / 2 + 2), -(px / 4 + 2), px / 2 + 2, px / 4 + 2).intersected(reachable);
  if (box.isEmpty()) return;

  Impl& d = *impl_;
  d.left = box.left();
  d.top = box.top();
  d.width = box.width();
  d.height = box.height();
  d.stride = (static_cast<std::size_t>(d.width) + 3) & ~std::size_t{3};  // QImage wants 4-byte rows
  d.coverage.assign(d.stride * static_cast<std::size_t>(d.height), 0);
  QImage mask(d.coverage.data(), d.width, d.height, static_cast<qsizetype>(d.stride), QImage::Format_Alpha8);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(font.impl().font);
  painter.setPen(QColor(0, 0, 0, 255));
  painter.drawText(QPoint(-d.left, -d.top + ascent), s);
  painter.end();

  d.spans.resize(static_cast<std::size_t>(d.height));
  for (int r = 0; r < d.height; ++r) {
    const std::uint8_t* row = d.coverage.data() + static_cast<std::size_t>(r) * d.stride;
    int first = 0;
    int last = d.width;
    while (first < last && row[first] == 0) ++first;
    while (last > first && row[last - 1] == 0) --last;
    d.spans[static_cast<std::size_t>(r)] = {first, last};
  }
}

TextPainter::~TextPainter() = default;

void TextPainter::Draw(int x, int y, ColorValue color) {
  const Impl& d = *impl_;
  RasterImage& raster = d.raster;
  if (d.width <= 0 || raster.Empty()) return;
  const int x0 = x + d.left;
  const int y0 = y + d.top;
  const int colStart = std::max(0, -x0);
  const int colEnd = std::min(d.width, raster.Width() - x0);
  const int rowStart = std::max(0, -y0);
  const int rowEnd = std::min(d.height, raster.Height() - y0);
  if (colStart >= colEnd || rowStart >= rowEnd) return;
  const Rgb c = SplitColor(color);
  for (int r = rowStart; r < rowEnd; ++r) {
    const std::uint8_t* cov = d.coverage.data() + static_cast<std::size_t>(r) * d.stride;
    std::uint8_t* out = raster.Row(y0 + r);
    const auto [first, last] = d.spans[static_cast<std::size_t>(r)];
    for (int i = std::max(colStart, first); i < std::min(colEnd, last); ++i) {
      const int a = cov[i];
      if (a == 0) continue;
      std::uint8_t* p = out + 3 * (x0 + i);
      p[0] = static_cast<std::uint8_t>(Div255(c.b * a + p[0] * (255 - a)));
      p[1] = static_cast<std::uint8_t>(Div255(c.g * a + p[1] * (255 - a)));
      p[2] = static_cast<std::uint8_t>(Div255(c.r * a + p[2] * (255 - a)));
    }
  }
}

}  // namespace quillstone
