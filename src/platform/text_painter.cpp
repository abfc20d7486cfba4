#include "platform/text_painter.h"

#include <QColor>

#include "platform/canvas_impl.h"
#include "platform/font_impl.h"

namespace quillstone {

struct TextPainter::Impl {
  QPainter& painter;
  QString text;
  int ascent = 0;
};

TextPainter::TextPainter(Canvas& canvas, const Font& font, std::string_view text)
    : impl_(std::make_unique<Impl>(Impl{canvas.impl().painter, ToQString(text), font.Ascent()})) {
  QPainter& p = impl_->painter;
  if (!p.isActive()) return;
  p.save();
  p.setFont(font.impl().font);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setBackgroundMode(Qt::TransparentMode);
}

TextPainter::~TextPainter() {
  if (impl_->painter.isActive()) impl_->painter.restore();
}

void TextPainter::Draw(int x, int y, ColorValue color) {
  QPainter& p = impl_->painter;
  if (!p.isActive() || impl_->text.isEmpty()) return;
  const Rgb c = SplitColor(color);
  p.setPen(QColor(c.r, c.g, c.b));
  p.drawText(QPoint(x, y + impl_->ascent), impl_->text);
}

}  // namespace quillstone
