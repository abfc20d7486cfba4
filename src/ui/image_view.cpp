#include "ui/image_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace quillstone {

QImage RasterAsQImage(const RasterImage& raster) {
  if (raster.Empty()) return {};
  return QImage(raster.Bits(), raster.Width(), raster.Height(), static_cast<qsizetype>(raster.Stride()),
                QImage::Format_BGR888);
}

ImageView::ImageView(Placement placement, QWidget* parent) : QWidget(parent), placement_(placement) {
  setAttribute(Qt::WA_OpaquePaintEvent, placement == Placement::kActualSize);
  setMouseTracking(true);
}

void ImageView::SetImage(const RasterImage* raster) {
  image_ = raster ? RasterAsQImage(*raster) : QImage();
  reduced_ = QImage();
  FitWidgetToPicture();
  update();
}

void ImageView::SetZoom(double zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  FitWidgetToPicture();
  update();
}

QSize ImageView::ZoomedSize() const {
  if (image_.isNull()) return {0, 0};
  const auto side = [this](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * zoom_))); };
  return {side(image_.width()), side(image_.height())};
}

void ImageView::FitWidgetToPicture() {
  if (placement_ != Placement::kActualSize) return;
  if (const QSize size = ZoomedSize(); size != this->size()) resize(size);
}

QSize ImageView::sizeHint() const {
  if (placement_ == Placement::kActualSize && !image_.isNull()) return ZoomedSize();
  return QWidget::sizeHint();
}

QRect ImageView::PictureRect() const {
  if (image_.isNull()) return {};
  switch (placement_) {
    case Placement::kActualSize:
      return QRect(QPoint(0, 0), ZoomedSize());
    case Placement::kCentered:
      return QRect(QPoint((width() - image_.width()) / 2, (height() - image_.height()) / 2), image_.size());
    case Placement::kFitInside: {
      const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
      if (fitted.isEmpty()) return {};
      return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    }
  }
  return {};
}

std::optional<QPoint> ImageView::PixelAt(QPoint position) const {
  const QRect picture = PictureRect();
  if (!picture.contains(position)) return std::nullopt;
  const int x =
      static_cast<int>(static_cast<long long>(position.x() - picture.x()) * image_.width() / picture.width());
  const int y = static_cast<int>(static_cast<long long>(position.y() - picture.y()) * image_.height() /
                                 picture.height());
  return QPoint(std::min(x, image_.width() - 1), std::min(y, image_.height() - 1));
}

std::optional<QPoint> ImageView::PositionAt(QPoint position) const {
  const QRect picture = PictureRect();
  if (picture.isEmpty()) return std::nullopt;
  const auto scaled = [](int offset, int imageSide, int shownSide) {
    return static_cast<int>(std::floor(static_cast<double>(offset) * imageSide / shownSide));
  };
  return QPoint(scaled(position.x() - picture.x(), image_.width(), picture.width()),
                scaled(position.y() - picture.y(), image_.height(), picture.height()));
}

void ImageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect picture = PictureRect();
  const QRect exposed = event->rect();
  if (placement_ != Placement::kActualSize) painter.fillRect(exposed, palette().window());
  if (picture.isEmpty()) return;
  if (picture.size() == image_.size()) {
    // Unscaled: only the exposed part of the rows is converted and drawn.
    const QRect part = exposed & picture;
    painter.drawImage(part.topLeft(), image_, part.translated(-picture.topLeft()));
  } else {
    PaintScaled(painter, picture, exposed);
  }
}

// A reduced picture is averaged once into a copy of the size shown, whose exposed part is
// then drawn; an enlarged one is interpolated for the exposed part only, taking one pixel
// more on each side so that parts painted apart meet without a seam.
void ImageView::PaintScaled(QPainter& painter, const QRect& picture, const QRect& exposed) {
  const QRect part = exposed & picture;
  if (part.isEmpty()) return;
  if (picture.width() <= image_.width() && picture.height() <= image_.height()) {
    if (reduced_.size() != picture.size()) {
      reduced_ = image_.scaled(picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    painter.drawImage(part.topLeft(), reduced_, part.translated(-picture.topLeft()));
    return;
  }
  const double across = static_cast<double>(image_.width()) / picture.width();
  const double down = static_cast<double>(image_.height()) / picture.height();
  const QRectF wanted((part.x() - picture.x()) * across, (part.y() - picture.y()) * down,
                      part.width() * across, part.height() * down);
  const QRect source = wanted.toAlignedRect().adjusted(-1, -1, 1, 1) & image_.rect();
  const QRectF target(picture.x() + source.x() / across, picture.y() + source.y() / down,
                      source.width() / across, source.height() / down);
  painter.save();
  painter.setClipRect(part);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, image_, source);
  painter.restore();
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  if (const auto pixel = PixelAt(event->position().toPoint()); pixel && onPixelPressed)
    onPixelPressed(*pixel);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if (const auto pixel = PixelAt(event->position().toPoint()); pixel && onPixelHovered)
    onPixelHovered(*pixel);
  if (event->buttons() == Qt::NoButton) return;
  if (const auto at = PositionAt(event->position().toPoint()); at && onDragged) onDragged(*at);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (const auto at = PositionAt(event->position().toPoint()); at && onReleased) onReleased(*at);
}

void ImageView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (onResized) onResized(event->size());
}

}  // namespace quillstone
