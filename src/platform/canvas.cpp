#include "platform/canvas.h"

#include <algorithm>

#include "platform/canvas_impl.h"

namespace quillstone {

namespace {

QColor ToQColor(ColorValue c) {
  const Rgb rgb = SplitColor(c);
  return QColor(rgb.r, rgb.g, rgb.b);
}

// Orders the corners and turns them into Qt's (x, y, width, height) form.
QRect HalfOpenRect(int x1, int y1, int x2, int y2) {
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  return QRect(left, top, std::max(x1, x2) - left, std::max(y1, y2) - top);
}

}  // namespace

QImage WrapRaster(RasterImage& image) {
  if (image.Empty()) return QImage();
  return QImage(image.Bits(), image.Width(), image.Height(), static_cast<qsizetype>(image.Stride()),
                QImage::Format_BGR888);
}

QImage WrapRaster(const RasterImage& image) {
  if (image.Empty()) return QImage();
  return QImage(image.Bits(), image.Width(), image.Height(), static_cast<qsizetype>(image.Stride()),
                QImage::Format_BGR888);
}

Canvas::Impl::Impl(RasterImage& image) : raster(image), surface(WrapRaster(image)) {
  if (!surface.isNull()) {
    painter.begin(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
  }
}

Canvas::Canvas(RasterImage& image) : impl_(std::make_unique<Impl>(image)) {}

Canvas::~Canvas() = default;

void Canvas::FillRectangle(int x1, int y1, int x2, int y2, ColorValue color) {
  if (!impl_->painter.isActive()) return;
  const QRect r = HalfOpenRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  impl_->painter.fillRect(r, ToQColor(color));
}

void Canvas::FrameRectangle(int x1, int y1, int x2, int y2, ColorValue color) {
  const QRect r = HalfOpenRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  const int right = r.left() + r.width();
  const int bottom = r.top() + r.height();
  FillRectangle(r.left(), r.top(), right, r.top() + 1, color);
  FillRectangle(r.left(), bottom - 1, right, bottom, color);
  FillRectangle(r.left(), r.top(), r.left() + 1, bottom, color);
  FillRectangle(right - 1, r.top(), right, bottom, color);
}

void Canvas::FillRoundRectangle(int x1, int y1, int x2, int y2, int ew, int eh, ColorValue color) {
  if (!impl_->painter.isActive()) return;
  const QRect r = HalfOpenRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  impl_->painter.setBrush(ToQColor(color));
  impl_->painter.drawRoundedRect(QRectF(r), ew / 2.0, eh / 2.0);
  impl_->painter.setBrush(Qt::NoBrush);
}

void Canvas::FillEllipse(int x1, int y1, int x2, int y2, ColorValue color) {
  if (!impl_->painter.isActive()) return;
  const QRect r = HalfOpenRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  impl_->painter.setBrush(ToQColor(color));
  impl_->painter.drawEllipse(QRectF(r));
  impl_->painter.setBrush(Qt::NoBrush);
}

}  // namespace quillstone
