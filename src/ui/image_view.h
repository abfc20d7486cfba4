#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "imaging/raster_image.h"

namespace quillstone {

// A raster's rows seen as a QImage (Format_BGR888, the raster's own stride), without a
// copy. Valid while the raster keeps its size and memory; a null image for an empty raster.
QImage RasterAsQImage(const RasterImage& raster);

// Shows a raster without copying it: at its own size or zoomed (for a scroll area),
// centred, or scaled to fit. Paints only the part that is exposed, scaled smoothly. Call
// SetImage again whenever the raster changed, since a render may have moved its memory.
class ImageView : public QWidget {
 public:
  enum class Placement {
    kActualSize,  // the widget takes the image's size times the zoom; for a scroll area
    kCentered,    // unscaled, centred in the widget
    kFitInside,   // scaled to fit the widget, aspect kept, centred
  };

  explicit ImageView(Placement placement, QWidget* parent = nullptr);

  void SetImage(const RasterImage* raster);
  const QImage& image() const { return image_; }
  // The zoom of kActualSize: the widget takes the image's size times this factor.
  void SetZoom(double zoom);
  double zoom() const { return zoom_; }
  // The image pixel under a point of the widget; none outside the picture.
  std::optional<QPoint> PixelAt(QPoint position) const;
  // The image position of a point of the widget, also beyond the picture's edges (a drag
  // may leave it); none while there is no picture.
  std::optional<QPoint> PositionAt(QPoint position) const;

  // Called with the image pixel under the pointer when a button is pressed over it, and as
  // the pointer moves over it.
  std::function<void(QPoint)> onPixelPressed;
  std::function<void(QPoint)> onPixelHovered;
  // Called with the image position under the pointer (PositionAt) as it moves with a button
  // held, and when the button is released.
  std::function<void(QPoint)> onDragged;
  std::function<void(QPoint)> onReleased;
  std::function<void(QSize)> onResized;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect PictureRect() const;
  QSize ZoomedSize() const;
  void FitWidgetToPicture();
  // Draws the exposed part of a picture shown at another size than its own.
  void PaintScaled(QPainter& painter, const QRect& picture, const QRect& exposed);

  Placement placement_;
  QImage image_;
  double zoom_ = 1.0;
  // The picture reduced smoothly to the size it is shown at, made when first painted.
  QImage reduced_;
};

}  // namespace quillstone
