#pragma once

#include <QPoint>
#include <QScrollArea>
#include <optional>

#include "imaging/raster_image.h"

namespace quillstone {

class ImageView;

// The full-size view of the marked picture: a scroll area that fits the picture into the
// window (as long as the user has not zoomed, and so again after every resize), shows it
// at 100 %, zooms in and out by steps (Ctrl + wheel about the pointer, the zoom commands
// about the centre) and pans when the picture is dragged. The picture is scaled for the
// screen only; the raster is not touched.
class ZoomView : public QScrollArea {
  Q_OBJECT

 public:
  explicit ZoomView(QWidget* parent = nullptr);

  void SetImage(const RasterImage* raster);
  ImageView* view() const { return view_; }
  double zoom() const;
  bool fitting() const { return fitting_; }

  void FitToWindow();
  void ShowActualSize();
  void ZoomIn();
  void ZoomOut();

 signals:
  void zoomChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  double FitFactor() const;
  // Sets the zoom, keeping the picture point under `anchor` (a viewport position) there.
  void ZoomAbout(double zoom, QPoint anchor);
  void Refit();

  ImageView* view_ = nullptr;
  bool fitting_ = true;
  int wheelTurn_ = 0;               // wheel angle not yet spent on a step, in eighths of a degree
  std::optional<QPoint> dragFrom_;  // where a pan started, in global coordinates
  QPoint scrollFrom_;               // the scroll bars' values then
};

}  // namespace quillstone
