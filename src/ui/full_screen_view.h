#pragma once

#include <QWidget>

#include "imaging/raster_image.h"

namespace quillstone {

class ImageView;

// The program's own full-screen view of a picture, for when the desktop has no program to
// show it: the picture fitted to the screen on black; Escape or a click closes it.
class FullScreenView : public QWidget {
 public:
  explicit FullScreenView(QWidget* parent = nullptr);
  // Shows a copy of the picture, so a render meanwhile changes nothing shown.
  void Show(const RasterImage& image);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  RasterImage image_;
  ImageView* view_ = nullptr;
};

}  // namespace quillstone
